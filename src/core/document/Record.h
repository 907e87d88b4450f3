#pragma once
// Tagged records, the form of every stored object: a 16-bit tag, the 16-bit length
// of the body, the body; a list of records ends with an end tag.  Known records are
// read by their content, so a body may outgrow its 16-bit length; the length only
// serves to skip records of kinds this program does not know.
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "document/Stream.h"
#include "document/StreamEncoding.h"

namespace kalorina {

// The one version of the record layout the program reads and writes.
constexpr std::int16_t kRecordVersion = 256;

// Every reader refuses another version before it reads a byte: this raises the
// version error of the file format (IDS_VERSIONERR) for any version but
// kRecordVersion.
void CheckRecordVersion(int version);

// How one list of records ends: its end tag, stored with a length of 0 or bare,
// and whether the list may also end where the stream ends before a tag.
enum class EndTagForm { kWithLength, kBare };
enum class StreamEnd { kFails, kEndsList };
struct RecordList {
    std::int16_t endTag;
    EndTagForm endForm;
    StreamEnd streamEnd;
};

// Writes one list of records to the stream.
class RecordWriter {
public:
    RecordWriter(TMemoryStream& s, const RecordList& list) : s_(s), list_(list) {}

    // The tag, the length of what `body` writes, the body.
    template <class Body>
    void Write(std::int16_t tag, Body&& body)
    {
        RecordMark mark = BeginRecord(s_, tag);
        body();
        EndRecord(s_, mark);
    }
    // The tag, a length of 0 whatever follows, the body: a record that readers only
    // ever take by its content (a circuit's hydraulic data are stored so).
    template <class Body>
    void WriteUncounted(std::int16_t tag, Body&& body)
    {
        EndRecord(s_, BeginRecord(s_, tag));
        body();
    }
    // The end tag, with its length where the list has one.
    void End();

private:
    TMemoryStream& s_;
    RecordList list_;
};

// What to do with one kind of record: `read` takes its body from the stream.
struct RecordReading {
    std::int16_t tag;
    std::function<void()> read;
};

// Reads one list of records up to its end: each tag named in `readings` by its
// reading, every other one skipped by its length.  A stream that ends early raises
// StreamEndError, except between records of a list that allows it.
void ReadRecords(TMemoryStream& s, const RecordList& list, std::initializer_list<RecordReading> readings);

} // namespace kalorina

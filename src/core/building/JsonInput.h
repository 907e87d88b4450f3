#pragma once
// Reading the JSON users hand us (a building, a plan): each object's keys taken at
// most once, a key nobody took refused by name, numbers in the ranges of typed
// input, and every refusal naming its place ("rooms[2].elements[0].u").  Texts are
// UTF-8 in the JSON and code page 1250 in the program.
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FormatText.h"
#include "util/InputRange.h"
#include "util/MessageText.h"

namespace kalorina::json_input {

using Json = nlohmann::ordered_json;

[[noreturn]] inline void Fault(const char* id, const char* fallback, std::initializer_list<std::string> args)
{
    throw KalorinaError(FormatText(MessageText(id, fallback), std::vector<std::string>(args)));
}

template <std::size_t N>
inline std::string Choices(const char* const (&names)[N])
{
    std::string list;
    for (const char* n : names)
        list += (list.empty() ? "\"" : ", \"") + std::string(n) + "\"";
    return list;
}

// One JSON object being read: each key is taken at most once, and keys nobody
// took are refused by name, so that a misspelt key is not a silent default.
class Reader {
public:
    Reader(const Json& object, std::string path) : object_(object), path_(std::move(path))
    {
        if (!object_.is_object())
            Fault("IDS_JSONOBJECT", "%s: an object is needed here.", {Where()});
    }

    std::string Where() const { return path_.empty() ? std::string("(JSON)") : path_; }
    std::string At(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }

    const Json* Find(const std::string& key)
    {
        known_.insert(key);
        const auto it = object_.find(key);
        return it == object_.end() || it->is_null() ? nullptr : &*it;
    }

    // A number of `kind`, where the object gives it.
    bool Number(const std::string& key, InputKind kind, float& into)
    {
        const Json* v = Find(key);
        if (!v)
            return false;
        if (!v->is_number())
            Fault("IDS_JSONNUMBER", "%s: a number is needed here.", {At(key)});
        into = static_cast<float>(CheckInput(v->get<double>(), kind, At(key)));
        return true;
    }
    void RequiredNumber(const std::string& key, InputKind kind, float& into)
    {
        if (!Number(key, kind, into))
            Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {At(key)});
    }
    bool Bool(const std::string& key, bool& into)
    {
        const Json* v = Find(key);
        if (!v)
            return false;
        if (!v->is_boolean())
            Fault("IDS_JSONBOOL", "%s: true or false is needed here.", {At(key)});
        into = v->get<bool>();
        return true;
    }
    bool Text(const std::string& key, std::string& into)
    {
        const Json* v = Find(key);
        if (!v)
            return false;
        if (!v->is_string())
            Fault("IDS_JSONTEXT", "%s: a text is needed here.", {At(key)});
        into = Utf8ToCp1250(v->get<std::string>());
        return true;
    }
    template <class Enum, std::size_t N>
    bool Choice(const std::string& key, const char* const (&names)[N], Enum& into)
    {
        std::string text;
        const Json* v = Find(key);
        if (!v)
            return false;
        if (!v->is_string())
            Fault("IDS_JSONTEXT", "%s: a text is needed here.", {At(key)});
        text = v->get<std::string>();
        for (std::size_t i = 0; i < N; ++i)
            if (text == names[i]) {
                into = static_cast<Enum>(i);
                return true;
            }
        Fault("IDS_JSONCHOICE", "%s: \"%s\" is not allowed; allowed are %s.",
              {At(key), Utf8ToCp1250(text), Choices(names)});
    }
    const Json* List(const std::string& key)
    {
        const Json* v = Find(key);
        if (v && !v->is_array())
            Fault("IDS_JSONLIST", "%s: a list is needed here.", {At(key)});
        return v;
    }

    // Refuses the first key no reader asked for.
    void Done() const
    {
        for (auto it = object_.begin(); it != object_.end(); ++it)
            if (!known_.count(it.key())) {
                std::string allowed;
                for (const std::string& k : known_)
                    allowed += (allowed.empty() ? "\"" : ", \"") + k + "\"";
                Fault("IDS_JSONUNKNOWNKEY", "%s: unknown key \"%s\"; allowed are %s.",
                      {Where(), Utf8ToCp1250(it.key()), allowed});
            }
    }

private:
    const Json& object_;
    std::string path_;
    std::set<std::string> known_;
};

inline std::string Index(const std::string& list, std::size_t i)
{
    return list + "[" + std::to_string(i) + "]";
}

} // namespace kalorina::json_input

#pragma once
// A small JSON writer for the tools: code page 1250 texts become UTF-8 string
// literals, numbers keep the precision a single-precision value carries.
#include <string>
#include <vector>

namespace kalorina {

// A JSON string literal of a code page 1250 text, as UTF-8.
std::string JsonText(const std::string& cp1250);
// A JSON number (finite; anything else as null): whole numbers exactly, fractions
// as SingleToStr writes them with a point.
std::string JsonNumber(double value);

// Builds one JSON object, member by member.
class JsonObject {
public:
    JsonObject& Text(const char* name, const std::string& cp1250) { return Raw(name, JsonText(cp1250)); }
    JsonObject& Number(const char* name, double v) { return Raw(name, JsonNumber(v)); }
    JsonObject& Bool(const char* name, bool v) { return Raw(name, v ? "true" : "false"); }
    JsonObject& Null(const char* name) { return Raw(name, "null"); }
    JsonObject& Raw(const char* name, const std::string& json)
    {
        body_ += (body_.empty() ? "" : ",") + std::string("\"") + name + "\":" + json;
        return *this;
    }
    std::string Str() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

// A JSON array of the items, each written by `each`.
template <class T, class F>
std::string Array(const std::vector<T>& items, F each)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + each(items[i]);
    return out + "]";
}

} // namespace kalorina

#include "xml/XmlWellFormed.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kalorina {

namespace {

bool IsWs(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EndsName(char c)
{
    return IsWs(c) || c == '/' || c == '>' || c == '<' || c == '=' || c == '"' || c == '\'';
}

class Checker {
public:
    explicit Checker(std::string_view doc) : doc_(doc) {}

    std::optional<XmlSyntaxError> Run()
    {
        if (doc_.size() >= 2
            && ((doc_[0] == '\xFF' && doc_[1] == '\xFE') || (doc_[0] == '\xFE' && doc_[1] == '\xFF')
                || (doc_[0] == '<' && doc_[1] == 0) || (doc_[0] == 0 && doc_[1] == '<')))
            return Error(XmlSyntaxProblem::Utf16, 0);
        if (const void* zero = std::memchr(doc_.data(), 0, doc_.size()))
            return Error(XmlSyntaxProblem::NulByte, static_cast<const char*>(zero) - doc_.data());
        std::size_t pos = 0;
        if (doc_.substr(0, 3) == "\xEF\xBB\xBF")
            pos = 3;
        while (pos < doc_.size()) {
            const std::size_t lt = doc_.find('<', pos);
            const std::size_t textEnd = lt == std::string_view::npos ? doc_.size() : lt;
            if (open_.empty()) {
                for (std::size_t i = pos; i < textEnd; ++i)
                    if (!IsWs(doc_[i]))
                        return Error(XmlSyntaxProblem::OutsideElement, i);
            }
            if (lt == std::string_view::npos)
                break;
            std::optional<XmlSyntaxError> error;
            pos = Markup(lt, error);
            if (error)
                return error;
        }
        if (!open_.empty()) {
            XmlSyntaxError e = Error(XmlSyntaxProblem::Unclosed, doc_.size());
            e.open = std::string(open_.back().name);
            e.openLine = LineOf(open_.back().at);
            return e;
        }
        if (!rootSeen_)
            return Error(XmlSyntaxProblem::NoElement, doc_.size());
        return std::nullopt;
    }

private:
    struct Open {
        std::string_view name;
        std::size_t at;
    };
    std::string_view doc_;
    std::vector<Open> open_;
    bool rootSeen_ = false;

    std::size_t LineOf(std::size_t offset) const
    {
        offset = std::min(offset, doc_.size());
        return 1 + static_cast<std::size_t>(std::count(doc_.begin(), doc_.begin() + offset, '\n'));
    }

    XmlSyntaxError Error(XmlSyntaxProblem problem, std::size_t offset) const
    {
        XmlSyntaxError e;
        e.problem = problem;
        e.line = LineOf(offset);
        if (!open_.empty()) {
            e.open = std::string(open_.back().name);
            e.openLine = LineOf(open_.back().at);
        }
        return e;
    }

    bool StartsAt(std::size_t at, std::string_view s) const { return doc_.substr(at, s.size()) == s; }

    // The offset just past `terminator` searched from `from`, or npos.
    std::size_t After(std::size_t from, std::string_view terminator) const
    {
        const std::size_t at = doc_.find(terminator, from);
        return at == std::string_view::npos ? at : at + terminator.size();
    }

    // The offset just past the '>' that ends a tag or declaration, quoted values
    // skipped; npos when the document ends first.
    std::size_t TagEnd(std::size_t from) const
    {
        char quote = 0;
        for (std::size_t i = from; i < doc_.size(); ++i) {
            const char c = doc_[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return i + 1;
            }
        }
        return std::string_view::npos;
    }

    // A document type: its internal subset may hold quoted texts, comments and
    // declarations, each with its own '>'.
    std::size_t DoctypeEnd(std::size_t from) const
    {
        char quote = 0;
        int brackets = 0;
        for (std::size_t i = from; i < doc_.size(); ++i) {
            const char c = doc_[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (brackets > 0 && StartsAt(i, "<!--")) {
                const std::size_t end = After(i + 4, "-->");
                if (end == std::string_view::npos)
                    return end;
                i = end - 1;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                brackets = std::max(0, brackets - 1);
            } else if (c == '>' && brackets == 0) {
                return i + 1;
            }
        }
        return std::string_view::npos;
    }

    std::size_t Markup(std::size_t lt, std::optional<XmlSyntaxError>& error)
    {
        std::size_t end = std::string_view::npos;
        if (StartsAt(lt, "<?")) {
            end = After(lt + 2, "?>");
        } else if (StartsAt(lt, "<!--")) {
            end = After(lt + 4, "-->");
        } else if (StartsAt(lt, "<![CDATA[")) {
            if (open_.empty()) {
                error = Error(XmlSyntaxProblem::OutsideElement, lt);
                return lt;
            }
            end = After(lt + 9, "]]>");
        } else if (StartsAt(lt, "<!DOCTYPE")) {
            end = DoctypeEnd(lt + 9);
        } else if (StartsAt(lt, "<!")) {
            end = TagEnd(lt + 2);
        } else if (StartsAt(lt, "</")) {
            std::size_t p = lt + 2;
            while (p < doc_.size() && !EndsName(doc_[p]))
                ++p;
            const std::string_view name = doc_.substr(lt + 2, p - lt - 2);
            end = TagEnd(p);
            if (end == std::string_view::npos) {
                error = Error(XmlSyntaxProblem::Unterminated, lt);
                return lt;
            }
            if (open_.empty()) {
                error = Error(XmlSyntaxProblem::EndWithoutStart, lt);
                error->name = std::string(name);
                return lt;
            }
            if (open_.back().name != name) {
                error = Error(XmlSyntaxProblem::EndMismatch, lt);
                error->name = std::string(name);
                return lt;
            }
            open_.pop_back();
            return end;
        } else {
            std::size_t p = lt + 1;
            while (p < doc_.size() && !EndsName(doc_[p]))
                ++p;
            if (p == lt + 1) {
                error = Error(p < doc_.size() ? XmlSyntaxProblem::StrayLessThan : XmlSyntaxProblem::Unterminated, lt);
                return lt;
            }
            end = TagEnd(p);
            if (end == std::string_view::npos) {
                error = Error(XmlSyntaxProblem::Unterminated, lt);
                return lt;
            }
            // Several elements side by side at the top are let pass: catalogue
            // files have been written so, and it loses nothing.
            rootSeen_ = true;
            if (doc_[end - 2] != '/')
                open_.push_back({doc_.substr(lt + 1, p - lt - 1), lt});
            return end;
        }
        if (end == std::string_view::npos)
            error = Error(XmlSyntaxProblem::Unterminated, lt);
        return end;
    }
};

} // namespace

std::optional<XmlSyntaxError> FindXmlSyntaxError(std::string_view document)
{
    return Checker(document).Run();
}

} // namespace kalorina

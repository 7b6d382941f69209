#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace notaro {

/// Comment text kept with a record. Most records have none, so the text lives on the heap
/// only when there is some: an empty value is a single null pointer, which keeps a record
/// small when a score holds millions of them.
class CommentLines {
public:
    CommentLines() = default;
    CommentLines(const CommentLines& o)
        : text_(o.text_ ? std::make_unique<std::string>(*o.text_) : nullptr) {}
    CommentLines(CommentLines&&) noexcept = default;
    CommentLines& operator=(const CommentLines& o) {
        if (this != &o)
            text_ = o.text_ ? std::make_unique<std::string>(*o.text_) : nullptr;
        return *this;
    }
    CommentLines& operator=(CommentLines&&) noexcept = default;
    CommentLines& operator=(std::string text) {
        text_ = text.empty() ? nullptr : std::make_unique<std::string>(std::move(text));
        return *this;
    }

    bool empty() const noexcept { return !text_; }
    /// The text, "" when there is none.
    const std::string& str() const noexcept { return text_ ? *text_ : emptyText(); }
    operator const std::string&() const noexcept { return str(); }

    friend bool operator==(const CommentLines& a, std::string_view b) {
        return std::string_view(a.str()) == b;
    }
    friend bool operator!=(const CommentLines& a, std::string_view b) { return !(a == b); }
    friend std::ostream& operator<<(std::ostream& os, const CommentLines& c) {
        return os << c.str();
    }

private:
    static const std::string& emptyText() noexcept {
        static const std::string empty;
        return empty;
    }

    std::unique_ptr<std::string> text_;
};

} // namespace notaro

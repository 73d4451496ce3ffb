#pragma once
#include <charconv>
#include <concepts>
#include <string>
#include <string_view>

namespace kvx::platform {

// Where the program's one-line complaints go ("korvex: ..."). A sink of our own
// rather than std::ostream: constructing any stream builds the C++ locale and
// its facets, which a resting korvex has no other use for.
// write() takes the text as is; callers add the "\n" that ends a line.
class Diagnostics {
public:
    virtual ~Diagnostics() = default;
    virtual void write(std::string_view text) = 0;

    Diagnostics& operator<<(std::string_view text) {
        write(text);
        return *this;
    }
    Diagnostics& operator<<(const char* text) { return *this << std::string_view(text ? text : "(null)"); }
    Diagnostics& operator<<(const std::string& text) { return *this << std::string_view(text); }
    Diagnostics& operator<<(char c) { return *this << std::string_view(&c, 1); }
    template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) Diagnostics& operator<<(Number number) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
    }
};

// Writes straight to standard error (unbuffered), so a line is out before a crash.
class StandardErrorDiagnostics final : public Diagnostics {
public:
    void write(std::string_view text) override;
};

// Keeps everything written, for tests and for callers that pass the text on.
class CollectedDiagnostics final : public Diagnostics {
public:
    void write(std::string_view text) override { text_.append(text); }
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

}  // namespace kvx::platform

#pragma once
// A small JSON reader for the tests: enough to take the program's output
// apart field by field. Malformed input gives nothing.
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testjson {

struct Value {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Value> items;
    std::map<std::string, Value> fields;
    const Value& operator[](const std::string& key) const {
        static const Value none;
        auto it = fields.find(key);
        return it == fields.end() ? none : it->second;
    }
    bool has(const std::string& key) const { return fields.count(key) != 0; }
};

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}
    bool value(Value& v) {
        space();
        if (take("null")) return true;
        if (take("true") || take("false")) {
            v.kind = Value::Bool;
            v.boolean = s_[i_ - 1] == 'e' && s_[i_ - 2] == 'u';
            return true;
        }
        if (peek('"')) return v.kind = Value::String, string(v.text);
        if (take("[")) {
            v.kind = Value::Array;
            if (space(), take("]")) return true;
            do {
                if (!value(v.items.emplace_back())) return false;
            } while (space(), take(","));
            return take("]");
        }
        if (take("{")) {
            v.kind = Value::Object;
            if (space(), take("}")) return true;
            do {
                std::string key;
                if (space(), !string(key) || (space(), !take(":")) || !value(v.fields[key])) return false;
            } while (space(), take(","));
            return take("}");
        }
        std::string number(s_.substr(i_, 32));
        char* end = nullptr;
        v.number = std::strtod(number.c_str(), &end);
        i_ += static_cast<std::size_t>(end - number.c_str());
        return v.kind = Value::Number, end != number.c_str();
    }
    bool atEnd() { return space(), i_ == s_.size(); }

private:
    void space() { while (i_ < s_.size() && std::string_view(" \t\r\n").find(s_[i_]) != std::string_view::npos) ++i_; }
    bool peek(char c) const { return i_ < s_.size() && s_[i_] == c; }
    bool take(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return false;
        i_ += word.size();
        return true;
    }
    // The program escapes quotes, backslashes and control characters only.
    bool string(std::string& out) {
        if (!take("\"")) return false;
        for (char c; i_ < s_.size();) {
            if ((c = s_[i_++]) == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') { out += c; continue; }
            if (take("u00") && i_ + 2 <= s_.size()) {
                out += static_cast<char>(std::strtoul(std::string(s_.substr(i_, 2)).c_str(), nullptr, 16));
                i_ += 2;
                continue;
            }
            std::size_t at = i_ < s_.size() ? std::string_view("\"\\/bfnrt").find(s_[i_++]) : std::string_view::npos;
            if (at == std::string_view::npos) return false;
            out += "\"\\/\b\f\n\r\t"[at];
        }
        return false;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

inline std::optional<Value> parse(std::string_view text) {
    Value v;
    Reader r(text);
    if (!r.value(v) || !r.atEnd()) return std::nullopt;
    return v;
}

} // namespace testjson

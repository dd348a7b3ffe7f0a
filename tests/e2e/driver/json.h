#pragma once
// A small JSON reader for the tests: enough to take the program's output
// apart field by field (objects, arrays, strings with their escapes, numbers,
// true, false, null). Malformed input gives nothing.
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
    std::optional<Value> document() {
        std::optional<Value> v = value();
        space();
        if (!v || i_ != s_.size()) return std::nullopt;
        return v;
    }

private:
    void space() { while (i_ < s_.size() && std::string_view(" \t\r\n").find(s_[i_]) != std::string_view::npos) ++i_; }
    bool take(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return false;
        i_ += word.size();
        return true;
    }
    std::optional<std::string> string() {
        if (!take("\"")) return std::nullopt;
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') { out += c; continue; }
            if (i_ >= s_.size()) return std::nullopt;
            char e = s_[i_++];
            if (e == 'u') {
                if (i_ + 4 > s_.size()) return std::nullopt;
                unsigned code = std::strtoul(std::string(s_.substr(i_, 4)).c_str(), nullptr, 16);
                i_ += 4;
                if (code >= 0x80) return std::nullopt;   // the program escapes only control characters
                out += static_cast<char>(code);
            } else {
                const std::string_view from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
                std::size_t at = from.find(e);
                if (at == std::string_view::npos) return std::nullopt;
                out += to[at];
            }
        }
        if (!take("\"")) return std::nullopt;
        return out;
    }
    std::optional<Value> value() {
        space();
        Value v;
        if (take("null")) return v;
        if (take("true") || take("false")) {
            v.kind = Value::Bool;
            v.boolean = s_[i_ - 1] == 'e' && s_[i_ - 2] == 'u';
            return v;
        }
        if (i_ < s_.size() && s_[i_] == '"') {
            std::optional<std::string> text = string();
            if (!text) return std::nullopt;
            v.kind = Value::String;
            v.text = *text;
            return v;
        }
        if (take("[")) {
            v.kind = Value::Array;
            space();
            if (take("]")) return v;
            do {
                std::optional<Value> item = value();
                if (!item) return std::nullopt;
                v.items.push_back(*item);
                space();
            } while (take(","));
            return take("]") ? std::optional<Value>(v) : std::nullopt;
        }
        if (take("{")) {
            v.kind = Value::Object;
            space();
            if (take("}")) return v;
            do {
                space();
                std::optional<std::string> key = string();
                space();
                if (!key || !take(":")) return std::nullopt;
                std::optional<Value> field = value();
                if (!field) return std::nullopt;
                v.fields[*key] = *field;
                space();
            } while (take(","));
            return take("}") ? std::optional<Value>(v) : std::nullopt;
        }
        char* end = nullptr;
        std::string number(s_.substr(i_, 32));
        v.number = std::strtod(number.c_str(), &end);
        if (end == number.c_str()) return std::nullopt;
        i_ += static_cast<std::size_t>(end - number.c_str());
        v.kind = Value::Number;
        return v;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

inline std::optional<Value> parse(std::string_view text) { return Reader(text).document(); }

} // namespace testjson

#pragma once

// Reads a family's glyph map (family/fonts/<family>/<family>.map.json) so that
// tests name glyphs instead of codes: the codes a converter answers are
// turned back into the Noto glyph names they draw.

#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vexa::test {

// Just enough JSON for the maps: objects, arrays, strings, numbers, literals.
struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = Kind::kNull;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    const JsonValue* Find(const std::string& key) const {
        for (const auto& m : members) {
            if (m.first == key) return &m.second;
        }
        return nullptr;
    }
};

class JsonReader {
public:
    explicit JsonReader(std::string text) : s_(std::move(text)) {}

    bool Read(JsonValue& out) {
        ok_ = true;
        out = Value();
        Space();
        return ok_ && p_ == s_.size();
    }

private:
    void Space() {
        while (p_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[p_]))) ++p_;
    }
    bool Take(char c) {
        Space();
        if (p_ < s_.size() && s_[p_] == c) {
            ++p_;
            return true;
        }
        return false;
    }
    std::string String() {
        std::string out;
        if (!Take('"')) {
            ok_ = false;
            return out;
        }
        while (p_ < s_.size() && s_[p_] != '"') {
            char c = s_[p_++];
            if (c != '\\' || p_ >= s_.size()) {
                out += c;
                continue;
            }
            c = s_[p_++];
            if (c == 'u' && p_ + 4 <= s_.size()) {
                const unsigned long u = std::stoul(s_.substr(p_, 4), nullptr, 16);
                p_ += 4;
                // The maps hold UTF-8 text; escapes are only for control characters.
                if (u < 0x80) out += static_cast<char>(u);
            } else {
                out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
        }
        if (p_ >= s_.size()) ok_ = false;
        ++p_;
        return out;
    }
    JsonValue Value() {
        JsonValue v;
        Space();
        if (p_ >= s_.size()) {
            ok_ = false;
        } else if (s_[p_] == '{') {
            v.kind = JsonValue::Kind::kObject;
            ++p_;
            if (Take('}')) return v;
            do {
                std::string key = String();
                if (!Take(':')) ok_ = false;
                v.members.emplace_back(std::move(key), Value());
            } while (ok_ && Take(','));
            if (!Take('}')) ok_ = false;
        } else if (s_[p_] == '[') {
            v.kind = JsonValue::Kind::kArray;
            ++p_;
            if (Take(']')) return v;
            do {
                v.items.push_back(Value());
            } while (ok_ && Take(','));
            if (!Take(']')) ok_ = false;
        } else if (s_[p_] == '"') {
            v.kind = JsonValue::Kind::kString;
            v.text = String();
        } else if (s_.compare(p_, 4, "true") == 0 || s_.compare(p_, 5, "false") == 0) {
            v.kind = JsonValue::Kind::kBool;
            v.number = s_[p_] == 't';
            p_ += s_[p_] == 't' ? 4 : 5;
        } else if (s_.compare(p_, 4, "null") == 0) {
            p_ += 4;
        } else {
            v.kind = JsonValue::Kind::kNumber;
            std::size_t used = 0;
            try {
                v.number = std::stod(s_.substr(p_, 32), &used);
            } catch (...) {
                ok_ = false;
            }
            p_ += used;
            if (used == 0) ok_ = false;
        }
        return v;
    }

    std::string s_;
    std::size_t p_ = 0;
    bool ok_ = true;
};

// The glyph names behind one converter library's codes.
class GlyphMap {
public:
    GlyphMap(const std::string& mapPath, const std::string& library) {
        std::ifstream in(mapPath);
        std::stringstream text;
        text << in.rdbuf();
        JsonValue root;
        if (!in || !JsonReader(text.str()).Read(root)) return;
        const JsonValue* glyphs = root.Find("glyphs");
        const JsonValue* faces = root.Find("faces");
        const JsonValue* converters = root.Find("converters");
        if (!glyphs || !faces || !converters) return;
        for (const JsonValue& c : converters->items) {
            const JsonValue* file = c.Find("file");
            const JsonValue* fonts = c.Find("fonts");
            if (!file || file->text != library || !fonts) continue;
            for (const auto& [digit, face] : fonts->members) {
                for (const JsonValue& f : faces->items) {
                    const JsonValue* name = f.Find("face");
                    const JsonValue* codes = f.Find("codes");
                    if (!name || name->text != face.text || !codes) continue;
                    for (const auto& [index, code] : codes->members) {
                        const std::size_t i = std::stoul(index);
                        if (i >= glyphs->items.size()) continue;
                        const JsonValue& g = glyphs->items[i];
                        const JsonValue* gname = g.Find("name");
                        const JsonValue* adv = g.Find("adv");
                        const JsonValue* dx = g.Find("dx");
                        const std::pair<int, char> key{static_cast<int>(code.number), digit[0]};
                        names_[key] = gname ? gname->text : "";
                        placements_[key] = {gname ? gname->text : "",
                                            adv ? static_cast<int>(adv->number) : 0,
                                            dx ? static_cast<int>(dx->number) : 0};
                    }
                }
            }
            loaded_ = !names_.empty();
        }
    }

    bool Loaded() const { return loaded_; }

    // The glyph names of a converter's output ("?" for a code no face holds).
    std::vector<std::string> Names(const std::string& pairs) const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
            auto it = names_.find({static_cast<unsigned char>(pairs[i]), pairs[i + 1]});
            out.push_back(it == names_.end() ? "?" : it->second);
        }
        return out;
    }

    // A drawn glyph as the map places it: its Noto name, its advance and
    // its horizontal offset from the pen, in font units.
    struct Placement {
        std::string name;
        int adv = 0;
        int dx = 0;
    };

    // The placements of a converter's output ("?" for a code no face holds).
    std::vector<Placement> Placements(const std::string& pairs) const {
        std::vector<Placement> out;
        for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
            auto it = placements_.find({static_cast<unsigned char>(pairs[i]), pairs[i + 1]});
            out.push_back(it == placements_.end() ? Placement{"?", 0, 0} : it->second);
        }
        return out;
    }

private:
    std::map<std::pair<int, char>, std::string> names_;
    std::map<std::pair<int, char>, Placement> placements_;
    bool loaded_ = false;
};

}  // namespace vexa::test

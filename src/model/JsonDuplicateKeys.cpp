#include "model/JsonDuplicateKeys.h"

#include <set>

namespace {
// Nesting deeper than this is not a case; the JSON parser refuses it too.
constexpr int kMaxDepth = 1024;

class CScanner {
public:
    explicit CScanner(const std::string& text) : m_text(text) {}

    void Value(const std::string& path, int depth) {
        Space();
        if (m_bFailed || m_nPos >= m_text.size() || depth > kMaxDepth) {
            m_bFailed = true;
            return;
        }
        const char c = m_text[m_nPos];
        if (c == '{') Object(path, depth);
        else if (c == '[') Array(path, depth);
        else if (c == '"') String();
        else Scalar();
    }

    std::vector<std::string> m_duplicates;

private:
    void Object(const std::string& path, int depth) {
        ++m_nPos;  // {
        std::set<std::string> seen;
        Space();
        if (Peek() == '}') {
            ++m_nPos;
            return;
        }
        while (!m_bFailed) {
            Space();
            if (Peek() != '"') {
                m_bFailed = true;
                return;
            }
            const std::string key = String();
            const std::string keyPath = path.empty() ? key : path + "." + key;
            if (!seen.insert(key).second) m_duplicates.push_back(keyPath);
            Space();
            if (Peek() != ':') {
                m_bFailed = true;
                return;
            }
            ++m_nPos;
            Value(keyPath, depth + 1);
            Space();
            const char c = Peek();
            ++m_nPos;
            if (c == '}') return;
            if (c != ',') m_bFailed = true;
        }
    }

    void Array(const std::string& path, int depth) {
        ++m_nPos;  // [
        Space();
        if (Peek() == ']') {
            ++m_nPos;
            return;
        }
        for (int i = 0; !m_bFailed; ++i) {
            Value(path + "[" + std::to_string(i) + "]", depth + 1);
            Space();
            const char c = Peek();
            ++m_nPos;
            if (c == ']') return;
            if (c != ',') m_bFailed = true;
        }
    }

    // A string with its escapes resolved (as UTF-8), so that "a" and "\u0061"
    // are the same key.
    std::string String() {
        std::string s;
        ++m_nPos;  // opening quote
        while (m_nPos < m_text.size()) {
            const char c = m_text[m_nPos++];
            if (c == '"') return s;
            if (c != '\\') {
                s += c;
                continue;
            }
            if (m_nPos >= m_text.size()) break;
            const char e = m_text[m_nPos++];
            switch (e) {
            case 'b':
                s += '\b';
                break;
            case 'f':
                s += '\f';
                break;
            case 'n':
                s += '\n';
                break;
            case 'r':
                s += '\r';
                break;
            case 't':
                s += '\t';
                break;
            case 'u': {
                unsigned cp = Hex4();
                if (cp >= 0xD800 && cp < 0xDC00 && m_text.compare(m_nPos, 2, "\\u") == 0) {
                    m_nPos += 2;
                    const unsigned low = Hex4();
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                Utf8(cp, s);
                break;
            }
            default:
                s += e;
                break;  // \" \\ \/
            }
        }
        m_bFailed = true;
        return s;
    }

    unsigned Hex4() {
        unsigned v = 0;
        for (int i = 0; i < 4 && m_nPos < m_text.size(); ++i) {
            const char h = m_text[m_nPos++];
            v <<= 4;
            if (h >= '0' && h <= '9') v |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f') v |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') v |= static_cast<unsigned>(h - 'A' + 10);
            else m_bFailed = true;
        }
        return v;
    }

    static void Utf8(unsigned cp, std::string& s) {
        if (cp < 0x80) {
            s += static_cast<char>(cp);
        } else if (cp < 0x800) {
            s += static_cast<char>(0xC0 | (cp >> 6));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            s += static_cast<char>(0xE0 | (cp >> 12));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (cp >> 18));
            s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Numbers, true, false, null: everything up to the next delimiter.
    void Scalar() {
        const std::size_t start = m_nPos;
        while (m_nPos < m_text.size()) {
            const char c = m_text[m_nPos];
            if (c == ',' || c == '}' || c == ']' || c == ' ' || c == '\t' || c == '\n' || c == '\r') break;
            ++m_nPos;
        }
        if (m_nPos == start) m_bFailed = true;
    }

    void Space() {
        while (m_nPos < m_text.size() &&
               (m_text[m_nPos] == ' ' || m_text[m_nPos] == '\t' || m_text[m_nPos] == '\n' || m_text[m_nPos] == '\r'))
            ++m_nPos;
    }

    char Peek() const { return m_nPos < m_text.size() ? m_text[m_nPos] : '\0'; }

    const std::string& m_text;
    std::size_t m_nPos = 0;
    bool m_bFailed = false;
};
}  // namespace

std::vector<std::string> FindDuplicateJsonKeys(const std::string& text) {
    CScanner scanner(text);
    scanner.Value("", 0);
    return scanner.m_duplicates;
}

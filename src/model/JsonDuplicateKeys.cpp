#include "model/JsonDuplicateKeys.h"

#include <set>

namespace {
// Keys longer than this are cut short in the paths reported.
constexpr std::size_t kMaxKeyShown = 64;

class CScanner {
public:
    explicit CScanner(const std::string& text) : m_text(text) {}

    // Iterative over the nesting: the stack holds one step of the path per
    // level (a key, or an index into a list), so time and memory follow the
    // size of the text, never its key length times its depth.
    void Value(int depth) {
        Space();
        if (m_bFailed || m_nPos >= m_text.size()) {
            m_bFailed = true;
            return;
        }
        if (depth > kMaxJsonNesting) {
            m_bTooDeep = m_bFailed = true;
            return;
        }
        const char c = m_text[m_nPos];
        if (c == '{') Object(depth);
        else if (c == '[') Array(depth);
        else if (c == '"') String();
        else Scalar();
    }

    JsonKeyScan m_result;
    bool m_bTooDeep = false;

private:
    struct Step {
        std::string m_strKey;  // the key, when the step is into an object
        long long m_nIndex = -1;
    };

    std::string Path() const {
        std::string path;
        for (const Step& s : m_path) {
            if (s.m_nIndex >= 0) {
                path += "[" + std::to_string(s.m_nIndex) + "]";
                continue;
            }
            if (!path.empty()) path += ".";
            path += s.m_strKey.size() > kMaxKeyShown ? s.m_strKey.substr(0, kMaxKeyShown) + "..." : s.m_strKey;
        }
        return path;
    }

    void Object(int depth) {
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
            Step step;
            step.m_strKey = String();
            const bool repeated = !seen.insert(step.m_strKey).second;
            m_path.push_back(std::move(step));
            if (repeated && m_result.m_Duplicates.size() < kMaxDuplicatesReported)
                m_result.m_Duplicates.push_back(Path());
            Space();
            if (Peek() != ':') {
                m_bFailed = true;
                return;
            }
            ++m_nPos;
            Value(depth + 1);
            m_path.pop_back();
            Space();
            const char c = Peek();
            ++m_nPos;
            if (c == '}') return;
            if (c != ',') m_bFailed = true;
        }
    }

    void Array(int depth) {
        ++m_nPos;  // [
        Space();
        if (Peek() == ']') {
            ++m_nPos;
            return;
        }
        m_path.push_back(Step{});
        for (long long i = 0; !m_bFailed; ++i) {
            m_path.back().m_nIndex = i;
            Value(depth + 1);
            Space();
            const char c = Peek();
            ++m_nPos;
            if (c == ']') break;
            if (c != ',') m_bFailed = true;
        }
        m_path.pop_back();
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
    std::vector<Step> m_path;
    std::size_t m_nPos = 0;
    bool m_bFailed = false;
};
}  // namespace

JsonKeyScan ScanJsonKeys(const std::string& text) {
    CScanner scanner(text);
    scanner.Value(0);
    scanner.m_result.m_bTooDeep = scanner.m_bTooDeep;
    return scanner.m_result;
}

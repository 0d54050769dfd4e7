#include "study/CsvFields.h"

bool SplitCsvLine(const std::string& line, std::vector<std::string>& fields) {
    fields.clear();
    std::string field;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (true) {
        field.clear();
        if (i < n && line[i] == '"') {
            ++i;
            while (true) {
                if (i >= n) return false;
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < n && line[i] != ',') return false;
        } else {
            while (i < n && line[i] != ',') field += line[i++];
        }
        fields.push_back(field);
        if (i >= n) return true;
        ++i;  // the comma
    }
}

std::string CsvField(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

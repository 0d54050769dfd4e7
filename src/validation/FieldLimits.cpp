#include "validation/FieldLimits.h"

#include <cstdio>

std::string CheckRange(double value, double lower, double upper) {
    if (value >= lower && value <= upper) return std::string();
    char buf[128];
    std::snprintf(buf, sizeof buf, "Please enter a number between %g and %g.", lower, upper);
    return buf;
}

std::string CheckStoredName(const std::string& name) {
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f) return "A name must be one line of printable characters.";
    if (name.size() > FieldLimits::kMaxStoredNameBytes)
        return "A name may have at most 63 bytes (in UTF-8), what a case file keeps.";
    return std::string();
}

std::string CheckName(const std::string& name) {
    // Characters, not bytes: UTF-8 continuation bytes do not count.
    std::size_t characters = 0;
    for (unsigned char c : name)
        if ((c & 0xC0) != 0x80) ++characters;
    if (characters > FieldLimits::kMaxNameLength) return "A name may have at most 60 characters.";
    return CheckStoredName(name);
}

std::string ProfileOrderMessage(int result, int rowA, int rowB) {
    char buf[128];
    if (result == -1)
        std::snprintf(buf, sizeof buf, "Invalid ambient density of row %d and row %d, proceed or not?", rowA, rowB);
    else if (result == -2) std::snprintf(buf, sizeof buf, "Invalid ambient depth of row %d and row %d", rowA, rowB);
    else return std::string();
    return buf;
}

std::string ProfileCellMessage(int column, double value, double rowValue, double rowTemperature, CheckSurface surface,
                               bool* restore) {
    const float v = static_cast<float>(value);
    const float t = static_cast<float>(rowTemperature);
    const float c1 = static_cast<float>(rowValue);
    bool back = true;
    std::string msg;
    switch (column) {
    case 0:
        if (!(v >= 0.0f)) msg = "Please enter a positive number";
        break;
    case 1:
        if (t != 0.0f && !(v >= 0.0f && v <= 40.0f)) msg = "Please enter a number between 0.0 to 40.0";
        if (t == 0.0f && !(v >= 0.5f && v <= 1.5f)) msg = "Please enter a number between 0.5 to 1.5";
        break;
    case 2:
        if (!(v >= 0.0f && v <= 40.0f)) {
            msg = "Please enter a number between 0.0 to 40.0";
        } else if (v != 0.0f && !(c1 >= 0.0f && c1 <= 40.0f)) {
            msg = "Salinity of ambient water should be in the range  of 0.0 to 40.0";
            back = false;
        } else if (v == 0.0f && !(c1 >= 0.5f && c1 <= 1.5f)) {
            msg = "Density of ambient water should be in the range of 0.5 to 1.5";
            back = false;
        }
        break;
    case 3:
        if (!(v >= 0.0f))
            msg = surface == CheckSurface::Wizard ? "Current of Ambient water should not be negative"
                                                  : "Current of ambient water should not be negative";
        break;
    default:
        break;
    }
    if (restore) *restore = !msg.empty() && back;
    return msg;
}

std::string ProfileCellMessage(int column, double value, bool salinity, CheckSurface surface) {
    const float v = static_cast<float>(value);
    switch (column) {
    case 1:
        if (salinity && !(v >= 0.0f && v <= 40.0f)) return "Please enter a number between 0.0 to 40.0";
        if (!salinity && !(v >= 0.5f && v <= 1.5f)) return "Please enter a number between 0.5 to 1.5";
        return std::string();
    case 2:
        if (!salinity && v != 0.0f) return "The temperature is not used with densities: choose salinity to give one.";
        if (salinity && !(v > 0.0f && v <= 40.0f))
            return "Please enter a number above 0.0 and at most 40.0 (a temperature of 0 would make the value a "
                   "density).";
        return std::string();
    default:
        // Depth and current do not depend on the kind of column 1.
        return ProfileCellMessage(column, value, 0.0, 0.0, surface);
    }
}

#include "model/RunOptions.h"

#include "model/SettingText.h"

namespace {
constexpr char kContinuous[] = "continuous";
constexpr char kMaxTimeSteps[] = "max_time_steps";
constexpr char kMerge[] = "merge";

// A whole number written in decimal digits, within lo .. hi.
bool WholeNumber(const std::string& text, int lo, int hi, int& value) {
    if (text.empty() || text.size() > 9) return false;
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    value = static_cast<int>(v);
    return true;
}
}  // namespace

std::string FormatRunOptions(const RunOptions& options) {
    return std::string(kContinuous) + (options.m_bContinuous ? " 1\n" : " 0\n") + kMaxTimeSteps + " " +
           std::to_string(options.m_nMaxTimeSteps) + "\n" + kMerge + (options.m_bMergePlumes ? " 1\n" : " 0\n");
}

bool ParseRunOptions(const std::string& text, RunOptions& options, std::string& error) {
    RunOptions read = options;
    for (const SettingLine& setting : SettingLines(text)) {
        const std::string& name = setting.m_strName;
        const std::string& value = setting.m_strValue;
        if (name == kContinuous) {
            if (value != "0" && value != "1") {
                error = "run option \"continuous\" must be 0 or 1";
                return false;
            }
            read.m_bContinuous = value == "1";
        } else if (name == kMerge) {
            if (value != "0" && value != "1") {
                error = "run option \"merge\" must be 0 or 1";
                return false;
            }
            read.m_bMergePlumes = value == "1";
        } else if (name == kMaxTimeSteps) {
            if (!WholeNumber(value, RunOptions::kMinTimeSteps, RunOptions::kMaxTimeSteps, read.m_nMaxTimeSteps)) {
                error = "run option \"max_time_steps\" must be a whole number from " +
                        std::to_string(RunOptions::kMinTimeSteps) + " to " + std::to_string(RunOptions::kMaxTimeSteps);
                return false;
            }
        }
    }
    options = read;
    return true;
}

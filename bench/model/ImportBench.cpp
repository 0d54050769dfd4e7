// Prints the time to read and check the text form of cases with many
// unnamed jets and with long ambient profiles. Each figure should grow in
// proportion to the size (a quadratic step shows as a fourfold time for a
// doubled size).
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "validation/CaseValidation.h"

namespace {
std::string CaseText(int jets, int rows) {
    std::string profile;
    for (int i = 0; i < rows; ++i)
        profile += std::string(i ? "," : "") + "{\"depth_m\": " + std::to_string(i * 30.0 / rows) +
                   ", \"salinity_ppt\": 33, \"temperature_c\": 15, \"current_m_s\": 0.1}";
    std::string list;
    for (int i = 0; i < jets; ++i)
        list += std::string(i ? "," : "") +
                "{\"diameter_m\": 0.1, \"flow_m3_s\": 0.01, \"port_height_m\": 1, \"vertical_angle_deg\": 0, "
                "\"horizontal_angle_deg\": 0}";
    return "{\"format\": \"plumex-case\", \"version\": 1, \"scenario\": \"with-risers\", "
           "\"ambient\": {\"profile\": [" +
           profile +
           "]}, "
           "\"outfalls\": [{\"name\": \"O\", \"depth_m\": 29, \"width_m\": 2, \"length_m\": 100, "
           "\"effluent\": {\"temperature_c\": 18, \"salinity_ppt\": 0.5}, \"risers\": [{\"distance_m\": 5, "
           "\"top_radius_m\": 0.3, \"bottom_radius_m\": 0.5, \"height_m\": 2, \"jets\": [" +
           list + "]}]}]}";
}

void Measure(const char* what, int jets, int rows) {
    const std::string text = CaseText(jets, rows);
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    std::vector<CaseJsonProblem> problems;
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = ReadCaseJson(text, doc, problems);
    const std::size_t issues = ok ? ValidateCase(doc).size() : 0;
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("%-14s %8d jets %8d rows: %7.3f s (%s, %zu issues)\n", what, jets, rows, s, ok ? "read" : "refused",
                issues);
}
}  // namespace

int main() {
    for (int jets : {24000, 48000, 96000}) Measure("many jets", jets, 2);
    for (int rows : {50000, 100000, 200000}) Measure("long profile", 1, rows);
    return 0;
}

// libFuzzer target: any bytes as the input file "UDF". The parser must either
// fail with one line naming the line, or give jets that compute (or are
// rejected) and format without a crash, a hang or undefined behaviour.
//
// Build (clang): cmake -S . -B build-fuzz -DPLUMEX_FUZZ=ON -DPLUMEX_BUILD_GUI=OFF
//                -DPLUMEX_BUILD_TESTS=OFF && cmake --build build-fuzz --target fuzz_udf
// Run:           build-fuzz/bin/fuzz_udf -max_total_time=180 tests/jetmodel/corpus/udf
#include "Jet.h"
#include "PlxdataWriter.h"
#include "SuspendWriter.h"
#include "Udf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const mardex::UdfParse parse = mardex::parseUdf(text, "UDF");
    if (!parse.ok) {
        if (parse.error.find('\n') != std::string::npos || parse.error.rfind("UDF:", 0) != 0)
            std::abort();  // the message must be one line naming the file
        return 0;
    }
    std::string suspend, plxdata;
    int number = 0;
    for (const mardex::JetInput& jet : parse.jets) {
        // Keep each input cheap: the step cap bounds the work of a jet, and the
        // first few jets of an input reach every path a longer list would.
        if (number == 8) break;
        mardex::JetInput j = jet;
        if (j.maxSteps > 60 && j.maxSteps <= 5000) j.maxSteps = 60;
        const mardex::JetResult r = mardex::computeJet(j);
        if (!r.rejected() && (r.rows.empty() || r.rows.size() > static_cast<std::size_t>(j.maxSteps))) std::abort();
        mardex::appendSuspendPage(suspend, ++number, j, r);
        mardex::appendPlxdataSection(plxdata, number, j, r);
        // Every row is 120 characters of digits, '.', '-', 'E' and blanks.
        for (const mardex::OutputRow& row : r.rows) {
            const std::string line = mardex::formatRow(row);
            if (line.size() != 120 || line.find_first_not_of(" 0123456789.-E") != std::string::npos) std::abort();
        }
    }
    // Every line of both files fits the readers' 127 characters.
    for (const std::string* text : {&suspend, &plxdata}) {
        std::size_t start = 0;
        while (start < text->size()) {
            std::size_t end = text->find("\r\n", start);
            if (end == std::string::npos || end - start + 2 > 127) std::abort();
            start = end + 2;
        }
    }
    return 0;
}

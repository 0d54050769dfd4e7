#pragma once
// The case bytes a case file holds (its "Contents" stream), for tests that
// compare files byte for byte.
#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "model/CaseFile.h"

inline std::vector<unsigned char> StreamOf(const QString& path) {
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_TRUE(CaseFile::Read(path.toStdString(), bytes, error)) << error;
    return bytes;
}

// Where the tests' check runs put their rows: kept, with the order of the
// sink's calls.
#pragma once

#include "systest/engine/check_sequence.h"

#include <string>
#include <vector>

class RecordingRowSink final : public RowSink {
  public:
    std::vector<ResultRow> rows;
    std::vector<std::string> calls;  // "row" and "fit <column>"

    void AddRow(const ResultRow& row) override {
        rows.push_back(row);
        calls.push_back("row");
    }
    void FitColumn(int column) override { calls.push_back("fit " + std::to_string(column)); }
};

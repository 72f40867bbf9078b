#pragma once

#include "core/image/FieldShift.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/StarSlots.h"

#include <array>
#include <optional>
#include <vector>

namespace lumvane {

/// @brief Every measurement of the remembered stars in a run: per file, per
/// diaphragm and per star slot the net counts and the magnitude error, the
/// star centres, and the diaphragm radii.
///
/// Single-precision cells in 50 columns (0..49); rows grow as they are
/// written, and a cell never written reads 0. File f (counted from 1) owns the
/// five rows 5(f - 1) .. 5(f - 1) + 4:
/// - row 5(f - 1): the centre of slot s as found on file f - 1, X in column
///   4 + 2s and Y in column 5 + 2s (image coordinates, pixels);
/// - row 5(f - 1) + 1 + k: the net counts of slot s in diaphragm k (column
///   4 + 2s) and their magnitude error (column 5 + 2s).
/// Column 3 holds the diaphragm radii (see RememberStar); columns 0..2 are not
/// used. Slot 22 (Var4) has columns 48 and 49 to itself.
///
/// Beside the cells: what each star's value in each diaphragm is worth (None
/// where nothing was recorded), and each series file's field shift.
class ResultsTable {
public:
    static constexpr int kColumns = 50;
    static constexpr int kDiaphragms = kClickDiaphragms;
    static constexpr int kRadiusColumn = 3;

    static int PositionRow(int fileNumber) { return 5 * (fileNumber - 1); }
    static int ValueRow(int fileNumber, int diaphragm) { return 5 * (fileNumber - 1) + diaphragm + 1; }
    static int NetColumn(int slot) { return 4 + 2 * slot; }
    static int ErrorColumn(int slot) { return 5 + 2 * slot; }

    /// The cell's value; 0 for a row never written or a cell outside the table.
    float Cell(int column, int row) const;
    /// Writes one cell, growing the rows; a column outside 0..49 or a negative
    /// row writes nothing.
    void SetCell(int column, int row, float value);
    /// Rows written so far (the highest row written + 1).
    int Rows() const { return static_cast<int>(m_rows.size()); }

    /// What the value of slot s on file f in diaphragm k is worth.
    MeasureStatus Status(int slot, int fileNumber, int diaphragm) const;
    void SetStatus(int slot, int fileNumber, int diaphragm, MeasureStatus status);

    /// The field's shift on file f since the file before, pixels; nothing
    /// where no series walk worked it out.
    std::optional<FieldShift> ShiftOf(int fileNumber) const;
    void SetShift(int fileNumber, FieldShift shift);

    /// Every cell back to 0, no status and no shift (a new series).
    void Clear();

private:
    std::vector<std::array<float, kColumns>> m_rows;
    /// Per value row: each slot's status.
    std::vector<std::array<MeasureStatus, kStarSlots>> m_status;
    std::vector<std::optional<FieldShift>> m_shifts; ///< per file number
};

/// @brief St1's net counts on file n for diaphragms 0..3, from the results
/// table (column 4 of the value rows of file n); 0 until St1 is remembered on
/// that file.
std::array<float, ResultsTable::kDiaphragms> St1NetCounts(const ResultsTable& table, int fileNumber);

} // namespace lumvane

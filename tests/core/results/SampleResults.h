#pragma once

#include "core/image/FileList.h"
#include "core/results/RememberStar.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <string>
#include <vector>

namespace lumvane::test {

/// One file of a hand-made series: its list entry and the diaphragm-0 net
/// counts of St1, St 2 and Var 1.
struct SampleFile {
    FileEntry entry;
    float st1 = 10000.0F;
    float st2 = 2500.0F;
    float var1 = 1000.0F;
};

/// A file named `name`, 10 s from `minute` past 2000-01-01T12:00 UTC, filter V.
inline SampleFile SampleAt(const std::string& name, int minute, float var1)
{
    SampleFile file;
    file.entry.exposure = 10.0F;
    file.entry.time = "12:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute);
    file.entry.name = name + std::string(name.size() < 12 ? 12 - name.size() : 0, ' ');
    file.entry.observationStart = UtcTime { 2000, 1, 1, 12, minute, 0.0 };
    file.entry.filterName = std::string("V");
    file.var1 = var1;
    return file;
}

/// A measured series: the table and lists as a patrol series leaves them, one
/// diaphragm of radius 8.
struct SampleSeries {
    ResultsTable table;
    FileList files;
    ResultsFileSettings settings { 10.0, true, { 8, 0, 0, 0 } };

    explicit SampleSeries(const std::vector<SampleFile>& series)
    {
        for (std::size_t i = 0; i < series.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            files.SetCurrentFile(n);
            files.RecordCurrent(series[i].entry);
            Remember(0, n, series[i].st1, 0.0123F);
            Remember(1, n, series[i].st2, 0.0251F);
            Remember(19, n, series[i].var1, 0.0456F);
        }
    }

    void Remember(int slot, int file, float net, float error)
    {
        StarRecord star;
        star.centreX = 100.0F;
        star.centreY = 100.0F;
        star.net = { net, 0.0F, 0.0F, 0.0F };
        star.error = { error, 0.0F, 0.0F, 0.0F };
        star.radius = { 8.0F, 0.0F, 0.0F, 0.0F };
        // Only the diaphragm with a radius was measured; net counts of 0 stand
        // for a star that could not be.
        star.status = { net != 0.0F ? MeasureStatus::Ok : MeasureStatus::Unmeasured, MeasureStatus::Unmeasured,
            MeasureStatus::Unmeasured, MeasureStatus::Unmeasured };
        RememberStar(table, slot, file, star);
    }
};

} // namespace lumvane::test

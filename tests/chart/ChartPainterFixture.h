#pragma once
// A document with a small PM01BS02 run for the chart painter tests, drawn on
// the recording surface.

#include <gtest/gtest.h>

#include "chart/ChartPainter.h"
#include "chart/SurfacePrinters.h"
#include "common/RecordingSurface.h"
#include "document/KurvexDoc.h"
#include "support/DocumentHelpers.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace kurvex {

// One point of a run set by a test: station (dm), value (0.1 mm), speed (km/h, negative: none).
struct TestPoint {
    int32_t station = 0;
    int32_t value = 0;
    double speed = -1.0;
};

inline std::vector<MESSUNG> MeasurementsOf(const std::vector<TestPoint>& points)
{
    std::vector<MESSUNG> measurements;
    for (const TestPoint& point : points) {
        MESSUNG m;
        m.station = point.station;
        m.value = point.value;
        m.speed = point.speed;
        measurements.push_back(m);
    }
    return measurements;
}

// A run of points every `step` dm from `first` (dm), value 1.0 mm, with a side
// file made of the given lines.
class ChartPainterTest : public ::testing::Test {
protected:
    std::string folder = test::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    CEinstellungen settings;
    test::ScriptedInteraction interaction;
    CKurvexDoc doc;
    CLabelTable labels;
    ExceedancePageFlag pageFlag;
    RecordingSurface surface;

    // Writes a PM01BS02 file of `count` points into the test's folder and answers its path.
    std::string WriteRun(const std::string& name, int32_t first, int count, int step)
    {
        std::string bytes = "PM01BS02\r\nPruefer|Meier\r\n***\r\n";
        for (int i = 0; i < count; ++i)
            bytes += test::Pm01bs02Record(1.0, (first + i * step) / 10000.0, 3.5);
        bytes += "***\r\n";
        const std::string path = folder + "/" + name;
        test::WriteWholeFile(path, bytes);
        return path;
    }

    void Open(int32_t first, int count, int step, const std::string& sideFile = "")
    {
        const std::string path = WriteRun("run.pbs", first, count, step);
        if (!sideFile.empty())
            test::WriteWholeFile(path + ".zi4", sideFile);
        ASSERT_EQ(doc.Open(path, settings, interaction), OpenResult::Opened);
    }

    // Replaces the run's points.
    void SetPoints(const std::vector<TestPoint>& points)
    {
        doc.Run().AssignPoints(MeasurementsOf(points));
        doc.Run().SelectWholeRun();
    }

    CChartPainter Painter(int zoomLevel = 5)
    {
        CChartPainter painter(doc, labels, pageFlag);
        painter.View().zoomLevel = zoomLevel;
        painter.PreparePaint();
        return painter;
    }

    std::vector<const SurfaceRecord*> Fills(Color colour) const
    {
        std::vector<const SurfaceRecord*> fills;
        for (const SurfaceRecord* r : surface.OfKind(RecordKind::FillRect))
            if (r->fillBrush.color == colour)
                fills.push_back(r);
        return fills;
    }

    std::vector<const SurfaceRecord*> TextsAt(int y) const
    {
        std::vector<const SurfaceRecord*> texts;
        for (const SurfaceRecord* r : surface.OfKind(RecordKind::TextOut))
            if (r->points[0].y == y)
                texts.push_back(r);
        return texts;
    }

    // Every record of the kind drawn with a pen of this colour.
    std::vector<const SurfaceRecord*> InPenColour(RecordKind kind, Color colour) const
    {
        std::vector<const SurfaceRecord*> found;
        for (const SurfaceRecord* r : surface.OfKind(kind))
            if (r->state.pen.color == colour)
                found.push_back(r);
        return found;
    }
};

}  // namespace kurvex

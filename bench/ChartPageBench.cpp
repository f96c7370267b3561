// Drawing page 1 and the middle page of runs of 10,000 and 1,000,000 points,
// one point per decimetre, with an exceedance every 5 m and a free text every
// 20 m. A page costs in proportion to the points on it, so the middle page of
// the long run should cost about what it costs in the short one.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartPainter.h"
#include "common/Numbers.h"
#include "common/RecordingSurface.h"
#include "document/KurvexDoc.h"

#ifdef KURVEX_BENCH_RENDER
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "render/QtSurface.h"
#endif

namespace {

using namespace kurvex;

std::unique_ptr<CKurvexDoc> MakeDocument(int points)
{
    auto doc = std::make_unique<CKurvexDoc>();
    std::vector<MESSUNG> run(static_cast<size_t>(points));
    std::string exceedances;
    for (int i = 0; i < points; ++i) {
        MESSUNG& m = run[static_cast<size_t>(i)];
        m.station = i;
        m.value = (i * 37) % 90 - 10;
        m.speed = 4.0 + (i % 50) / 10.0;
        if (i % 50 == 25)
            exceedances += "[" + FormatInt(i) + ";60;1;" + FormatInt(i / 50 + 1) + ";-999;1;;-1.0;;]";
    }
    doc->Run().AssignPoints(std::move(run));
    doc->Run().SelectWholeRun();
    doc->Exceedances().Load(exceedances, "", "");
    return doc;
}

CKurvexDoc& Document(int points)
{
    static std::unique_ptr<CKurvexDoc> shortRun = MakeDocument(10'000);
    static std::unique_ptr<CKurvexDoc> longRun = MakeDocument(1'000'000);
    return points == 10'000 ? *shortRun : *longRun;
}

int PageOf(const CChartPainter& painter, bool middle)
{
    return middle ? (painter.View().paging.pageCount + 1) / 2 : 1;
}

// The painter of page 1 or of the middle page of a run, as the benchmark's arguments say.
struct PageUnderTest {
    explicit PageUnderTest(const benchmark::State& state)
        : painter(Document(static_cast<int>(state.range(0))), labels, flag)
    {
        painter.PreparePaint();
        page = PageOf(painter, state.range(1) != 0);
        painter.View().currentPage = page;
    }
    std::string Label() const
    {
        return "page " + std::to_string(page) + " of " + std::to_string(painter.View().paging.pageCount);
    }

    const CLabelTable labels;
    ExceedancePageFlag flag;
    CChartPainter painter;
    int page = 1;
};

void PageCases(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"points", "middle"})
        ->Args({10'000, 0})
        ->Args({10'000, 1})
        ->Args({1'000'000, 0})
        ->Args({1'000'000, 1});
}

void BM_ChartPageRecording(benchmark::State& state)
{
    PageUnderTest under(state);
    CChartPainter& painter = under.painter;
    const int page = under.page;
    RecordingSurface surface;
    for (auto _ : state) {
        surface.Clear();
        painter.PreparePaint();
        painter.DrawChartPage(surface, page, kScreenPageOrigin.x, kScreenPageOrigin.y);
        benchmark::DoNotOptimize(surface.Records().size());
    }
    state.SetLabel(under.Label());
}
BENCHMARK(BM_ChartPageRecording)
    ->Apply(PageCases)
    ->Unit(benchmark::kMicrosecond);

#ifdef KURVEX_BENCH_RENDER
QGuiApplication& GuiApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kurvex_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

// The screen view at 96 dpi, zoom level 4.
void BM_ChartPageImage(benchmark::State& state)
{
    GuiApplication();
    PageUnderTest under(state);
    CChartPainter& painter = under.painter;
    const int page = under.page;
    QImage image(1600, 820, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter qpainter(&image);
        QtSurface surface(qpainter, 96.0, 96.0);
        painter.PreparePaint();
        painter.DrawChartPage(surface, page, kScreenPageOrigin.x, kScreenPageOrigin.y);
    }
    state.SetLabel(under.Label());
}
BENCHMARK(BM_ChartPageImage)
    ->Apply(PageCases)
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace

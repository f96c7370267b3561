#pragma once
// "Übersicht": the active run from start to end in one strip below the chart
// windows. The curve is cut down to one value range per pixel column, so no
// peak disappears; over it the section boundaries, the limit lines, the
// excluded ranges (hatched), every exceedance as a tick (red, grey when it does
// not count), the picked stations and the page on screen as a highlighted
// window. A click or drag shows the page of that station, the wheel and the
// arrow keys page. It follows the active chart window and its document.

#include "chart/RunOverview.h"
#include "document/DocumentObserver.h"

#include <QDockWidget>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace kurvex {

class CKurvexDoc;
class CKurvexView;

inline constexpr const char* kOverviewTitle = "Übersicht";

class COverviewStrip : public QWidget, public DocumentObserver {
    Q_OBJECT

public:
    explicit COverviewStrip(QWidget* parent = nullptr);
    ~COverviewStrip() override;

    // The chart window whose run is shown; null shows nothing.
    void SetView(CKurvexView* view);
    CKurvexView* View() const { return m_view; }
    void DocumentChanged(DocumentChange change) override;

    // Cuts the run down to the strip's columns and reads its marks anew (done
    // on the next paint after a change; public for the benchmark).
    void Rebuild();
    // The strip's area inside the widget, and the station at a widget x.
    QRect StripRect() const;
    int32_t StationAtX(int x) const;
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Tick {
        int32_t station;
        bool counts;
    };
    void Detach();
    void ReadMarks();
    void ShowStationAt(int x);
    void UpdateDescription();

    QPointer<CKurvexView> m_view;
    std::shared_ptr<CKurvexDoc> m_doc;  // kept while observed
    QMetaObject::Connection m_viewState;
    OverviewScale m_scale;
    std::vector<ColumnExtent> m_columns;
    OverviewSectionMarks m_marks;
    std::vector<Tick> m_ticks;
    bool m_columnsStale = true;
    bool m_marksStale = true;
    int m_wheel = 0;  // wheel steps not yet a whole notch
};

class COverviewDock : public QDockWidget {
    Q_OBJECT

public:
    explicit COverviewDock(QWidget* parent = nullptr);
    COverviewStrip* Strip() const { return m_strip; }

Q_SIGNALS:
    // The dock's own close button hid it.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    COverviewStrip* m_strip = nullptr;
};

}  // namespace kurvex

#pragma once
// The day grid of the month calendar: 7 by 6 cells painted over the body
// gradient; presses select a day of the calendar, arrow keys step its date.
#include <QWidget>
#include <memory>
#include <vector>

#include "solar/widgets/SolarLook.h"
#include "solar/widgets/TSolarCell.h"

class TCustomSolarCalendar;

class TSolarGrid : public QWidget {
    Q_OBJECT
public:
    explicit TSolarGrid(TCustomSolarCalendar* calendar, QWidget* parent = nullptr);
    ~TSolarGrid() override;

    int SGr_Col() const { return FSGr_Col; }
    int SGr_Row() const { return FSGr_Row; }
    void SetSGr_Col(int col);
    void SetSGr_Row(int row);
    void SelectCell(int col, int row);
    uint8_t SGr_ColCount() const { return FSGr_ColCount; }
    uint8_t SGr_RowCount() const { return FSGr_RowCount; }
    void SetSGr_ColCount(uint8_t count);
    void SetSGr_RowCount(uint8_t count);
    void SetCellSize(int width, int height);

    TSolarCell* Cell(int col, int row) const;
    // The cell under a point of the grid, or (-1, -1).
    TCell HitTest(QPoint p) const;
    // Presses the cell as a left mouse press on it does.
    void PressCell(int col, int row);

    int32_t SGr_DefaultColWidth = 20;
    int32_t SGr_DefaultRowHeight = 20;
    orv::solar::TNotifyEvent OnClick;
      // Runs before the date steps of a key; the drop-down picks a date with it.
    std::function<void(QKeyEvent*)> OnKeyDown;
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void BuildCells();
    void PaintCell(QPainter& p, const TSolarCell& cell);

    int32_t FSGr_Col = 0, FSGr_Row = 0;
    uint8_t FSGr_ColCount = 0, FSGr_RowCount = 0;
    std::vector<std::vector<std::unique_ptr<TSolarCell>>> SGr_Cells;  // [column][row]
    TCustomSolarCalendar* FpCalendar;
    bool FPressed = false;

    friend class TSolarCell;
};

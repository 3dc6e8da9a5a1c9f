#include "solar/widgets/TSolarGrid.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "solar/widgets/TCustomSolarCalendar.h"

using namespace orv::solar;

void TSolarCell::Setcl_Text(const QString& text) {
    if (text == Fcl_Text) return;
    Fcl_Text = text;
    cl_pBody->update();
}

TSolarGrid::TSolarGrid(TCustomSolarCalendar* calendar, QWidget* parent) : QWidget(parent), FpCalendar(calendar) {
    setObjectName(QStringLiteral("FGrid"));
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QWidget::customContextMenuRequested, this, [this](QPoint p) {
        if (FpCalendar->MonthMenu() && !FpCalendar->MonthMenu()->isEmpty())
            FpCalendar->MonthMenu()->popup(mapToGlobal(p));
    });
}

TSolarGrid::~TSolarGrid() = default;

void TSolarGrid::SetCellSize(int width, int height) {
    SGr_DefaultColWidth = width;
    SGr_DefaultRowHeight = height;
}

void TSolarGrid::SetSGr_Col(int col) {
    FSGr_Col = col;
    update();
}

void TSolarGrid::SetSGr_Row(int row) {
    FSGr_Row = row;
    update();
}

void TSolarGrid::SelectCell(int col, int row) {
    FSGr_Col = col;
    FSGr_Row = row;
    update();
}

void TSolarGrid::SetSGr_ColCount(uint8_t count) {
    FSGr_ColCount = count;
    BuildCells();
}

void TSolarGrid::SetSGr_RowCount(uint8_t count) {
    FSGr_RowCount = count;
    BuildCells();
}

void TSolarGrid::BuildCells() {
    SGr_Cells.clear();
    const bool solar = FpCalendar->DateKind() == dkSolar;
    SGr_Cells.resize(FSGr_ColCount);
    for (int c = 0; c < FSGr_ColCount; ++c) {
        for (int r = 0; r < FSGr_RowCount; ++r) {
            auto cell = std::make_unique<TSolarCell>(this, static_cast<uint8_t>(c), static_cast<uint8_t>(r));
            cell->cl_Width = SGr_DefaultColWidth;
            cell->cl_Height = SGr_DefaultRowHeight;
            cell->cl_Top = r * SGr_DefaultRowHeight;
            cell->cl_Left = solar ? width() - (c + 1) * SGr_DefaultColWidth - 4 : c * SGr_DefaultColWidth + 4;
            SGr_Cells[c].push_back(std::move(cell));
        }
    }
    update();
}

TSolarCell* TSolarGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= static_cast<int>(SGr_Cells.size()) ||
        row >= static_cast<int>(SGr_Cells[col].size()))
        return nullptr;
    return SGr_Cells[col][row].get();
}

TCell TSolarGrid::HitTest(QPoint p) const {
    if (SGr_DefaultColWidth <= 0 || SGr_DefaultRowHeight <= 0) return {};
    const int x = FpCalendar->DateKind() == dkSolar ? width() - p.x() : p.x();
    if (x < 0 || p.y() < 0) return {};
    const int col = x / SGr_DefaultColWidth, row = p.y() / SGr_DefaultRowHeight;
    if (col >= FSGr_ColCount || row >= FSGr_RowCount) return {};
    return {col, row};
}

void TSolarGrid::PressCell(int col, int row) {
    if (!Cell(col, row) || !FpCalendar->EnabledDays().Contains(CaptionOfColumn(col))) return;
    SelectCell(col, row);
    const Word month = FpCalendar->CurrMonth();
    const QString text = Cell(col, row)->cl_Text();
    FpCalendar->DaySelect(col, row);
    if (FpCalendar->CurrMonth() == month) return;
    // A day of the previous or next month: find it in its own month and select it there.
    for (int r = 0; r < FSGr_RowCount; ++r) {
        for (int c = r == 0 ? std::max(FpCalendar->FirstCell(), 0) : 0; c < FSGr_ColCount; ++c) {
            if (Cell(c, r)->cl_Text() == text) {
                SelectCell(c, r);
                FpCalendar->DaySelect(c, r);
                return;
            }
        }
    }
}

void TSolarGrid::mousePressEvent(QMouseEvent* event) {
    FPressed = false;
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    FPressed = true;
    const TCell hit = HitTest(event->position().toPoint());
    PressCell(hit.Col, hit.Row);
}

void TSolarGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
    FPressed = false;
    QWidget::mouseReleaseEvent(event);
}

void TSolarGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnDblClick) {
        OnDblClick();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TSolarGrid::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown) {
        OnKeyDown(event);
        if (event->isAccepted() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier, ctrl = mods == Qt::ControlModifier, shift = mods == Qt::ShiftModifier;
    if (!plain && !ctrl && !shift) return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
        if (ctrl) FpCalendar->IncMonth(1);
        else if (shift) FpCalendar->IncYear(1);
        else FpCalendar->IncDay(1);
        break;
    case Qt::Key_Right:
        if (ctrl) FpCalendar->DecMonth(1);
        else if (shift) FpCalendar->DecYear(1);
        else FpCalendar->DecDay(1);
        break;
    case Qt::Key_Down:
        if (!plain) return QWidget::keyPressEvent(event);
        FpCalendar->IncDay(7);
        break;
    case Qt::Key_Up:
        if (!plain) return QWidget::keyPressEvent(event);
        FpCalendar->DecDay(7);
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

bool TSolarGrid::focusNextPrevChild(bool) { return false; }

void TSolarGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient body(0, 0, 0, height());
    body.setColorAt(0, FpCalendar->ColorBodyStart());
    body.setColorAt(1, FpCalendar->ColorBodyStop());
    p.fillRect(rect(), body);
    p.setFont(font());
    for (const auto& column : SGr_Cells)
        for (const auto& cell : column) PaintCell(p, *cell);
}

void TSolarGrid::PaintCell(QPainter& p, const TSolarCell& cell) {
    const TDateKind kind = FpCalendar->DateKind();
    const auto& layout = FpCalendar->Layout();
    const bool outside = IsOutsideMonth(layout, cell.cl_Col, cell.cl_Row);
    Word ty = 0, tm = 0, td = 0;
    FpCalendar->TodayParts(ty, tm, td);
    const bool today = !outside && ty == FpCalendar->CurrYear() && tm == FpCalendar->CurrMonth() &&
                       cell.cl_Text() == QString::number(td);
    const bool selected = cell.cl_Col == FSGr_Col && cell.cl_Row == FSGr_Row;
    const double radius = FpCalendar->RoundSelect() / 2.0;

    QColor fontColor = FpCalendar->ColorNormalDay();
    if (outside) fontColor = FpCalendar->ColorDisableMonth();
    if (IsRestDay(kind, cell.cl_Col, cell.cl_Row)) fontColor = FpCalendar->ColorVacationDay();

    p.setRenderHint(QPainter::Antialiasing, radius > 0);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(FpCalendar->ColorSelectBrush());
        p.drawRoundedRect(QRectF(cell.cl_Left + 1, cell.cl_Top + 1, cell.cl_Width - 1, cell.cl_Height - 1), radius,
                          radius);
    }
    if (!cell.cl_Text().isEmpty()) {
        p.setPen(fontColor);
        const QFontMetrics fm(p.font());
        const int w = fm.horizontalAdvance(cell.cl_Text()), h = fm.height();
        p.drawText(QPoint(cell.cl_Left + (cell.cl_Width - w) / 2, cell.cl_Top + (cell.cl_Height - h) / 2 + fm.ascent()),
                   cell.cl_Text());
    }
    if (today) {
        p.setPen(QPen(FpCalendar->ColorTodayLine(), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(cell.cl_Left + 1.5, cell.cl_Top + 1.5, cell.cl_Width - 3, cell.cl_Height - 2),
                          radius, radius);
    }
}

#include "solar/widgets/TCustomButtonEdit.h"

#include <QEvent>
#include <QToolButton>

TCustomButtonEdit::TCustomButtonEdit(QWidget* parent)
    : QLineEdit(parent), FButton(new QToolButton(this)),
      FAbout(QStringLiteral("Solar date picker of the Orvanet calendar components")) {
    FButton->setObjectName(QStringLiteral("FButton"));
    FButton->setFocusPolicy(Qt::NoFocus);
    FButton->setCursor(Qt::ArrowCursor);
    FButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    FButton->setAutoRaise(false);
    connect(FButton, &QToolButton::clicked, this, [this] { DoButtonClick(); });
    LayoutButton();
}

void TCustomButtonEdit::SetEnabled(bool value) {
    setEnabled(value);
    FButton->setEnabled(value);
}

void TCustomButtonEdit::DoButtonClick() {}

void TCustomButtonEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    LayoutButton();
}

void TCustomButtonEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) LayoutButton();
}

void TCustomButtonEdit::LayoutButton() {
    const int d = hasFrame() ? 0 : 1;
    const int h = height() - 2 * d + 1;
    const int buttonHeight = std::min(h, height());
    const int w = buttonHeight + 2;
    const int left = layoutDirection() == Qt::LeftToRight ? width() - w - d : 0;
    FButton->setGeometry(left, d, w, buttonHeight);
    FButton->setIconSize(QSize(std::max(w - 6, 8), std::max(buttonHeight - 6, 8)));
    // Text stays clear of the button.
    if (layoutDirection() == Qt::LeftToRight)
        setTextMargins(0, 0, w, 0);
    else
        setTextMargins(w, 0, 0, 0);
}

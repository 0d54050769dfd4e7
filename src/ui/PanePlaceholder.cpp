#include "ui/PanePlaceholder.h"

CPanePlaceholder::CPanePlaceholder(const QString& title, const QString& text, QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(12);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFrameShape(QFrame::StyledPanel);
    setTextFormat(Qt::RichText);
    setText(QString("<p style='font-size:large'><b>%1</b></p><p>%2</p>").arg(title.toHtmlEscaped(),
                                                                              text.toHtmlEscaped()));
    setMinimumSize(20, 20);
}

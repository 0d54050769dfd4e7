#pragma once
// A pane whose content comes later: a quiet surface with a centred text
// naming what will be shown there.
#include <QLabel>

class CPanePlaceholder : public QLabel {
public:
    CPanePlaceholder(const QString& title, const QString& text, QWidget* parent = nullptr);
};

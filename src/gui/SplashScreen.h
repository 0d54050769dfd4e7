#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The picture shown while the program starts: 400 x 225, centred over the
// main window, gone after 1500 ms or at the first key press or mouse click
// in any window of the program.
#include <QWidget>

class CSplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 225;
    static constexpr int kTimeoutMs = 1500;

    // Shows the splash unless one is shown already.
    static CSplashScreen* ShowSplash(QWidget* frame);
    static CSplashScreen* Current() { return s_pCurrent; }
    // The splash picture, drawn for the given device pixel ratio.
    static QPixmap Picture(qreal ratio);

    void HideSplash();

signals:
    // The splash went (its time ran out, or a key or click).
    void hidden();

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashScreen(QWidget* frame);
    ~CSplashScreen() override;
    static CSplashScreen* s_pCurrent;
};

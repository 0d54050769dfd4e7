#pragma once
// The picture shown while the program starts: 400 x 225, centred over the
// main window, gone after 1500 ms or at the first key press or mouse click
// in any window of the program.
#include <QPointer>
#include <QWidget>

class CMainFrame;

class CSplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 225;
    static constexpr int kTimeoutMs = 1500;

    // Shows the splash unless one is shown already.
    static CSplashScreen* ShowSplash(CMainFrame* frame);
    static CSplashScreen* Current() { return s_pCurrent; }
    // The splash picture, drawn for the given device pixel ratio.
    static QPixmap Picture(qreal ratio);

    void HideSplash();

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashScreen(CMainFrame* frame);
    ~CSplashScreen() override;
    QPointer<CMainFrame> m_pFrame;
    static CSplashScreen* s_pCurrent;
};

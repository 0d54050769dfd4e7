#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The progress meter of long operations in the status bar: a bar of 200
// pixels with a Cancel button beside it, shown from Begin to End. It moves
// only in steps of at least a hundredth of its range, however often it is
// told a position. It is the core's run progress: the run asks it whether
// to stop, and it lets the windows repaint meanwhile.
#include <QWidget>
#include <functional>

#include "run/RunProgress.h"

class QProgressBar;
class QPushButton;

class CStatusProgress : public QWidget, public CRunProgress {
    Q_OBJECT
public:
    explicit CStatusProgress(QWidget* parent = nullptr);

    // Range of the bar; the minimum step becomes (high - low) / 100, at least 1.
    void SetRange(int low, int high);
    // Moves the bar only when p is at least one minimum step past the last position shown.
    void SetPos(int p);
    void OffsetPos(int d) { SetPos(m_nLastPos + d); }
    void SetStep(int s) { m_nStep = s; }
    void StepIt() { OffsetPos(m_nStep); }

    int MinimumStep() const { return m_nMinStep; }
    int LastPosition() const { return m_nLastPos; }
    int ShownValue() const;
    QPushButton* CancelButton() const { return m_pCancel; }

    // Called from CancelRequested so that the windows keep painting while
    // a run waits; the caller decides what may be handled meanwhile.
    void SetWaitHandler(std::function<void()> handler) { m_waitHandler = std::move(handler); }

    // CRunProgress
    void Begin(int lower, int upper) override;
    void SetPosition(int position) override { SetPos(position); }
    void End() override;
    bool CancelRequested() override;
    void ShowStatus(const std::string& text) override;

signals:
    void statusText(const QString& text);

private:
    QProgressBar* m_pBar;
    QPushButton* m_pCancel;
    int m_nMinStep = 1;
    int m_nLastPos = 0;
    int m_nStep = 10;
    bool m_bCancel = false;
    std::function<void()> m_waitHandler;
};

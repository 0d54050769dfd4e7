#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// Turns the document's observer events into a Qt signal, so panes and the
// main window connect to what they need instead of calling each other.
#include <QObject>

#include "base/DocObserver.h"

class CPlumexDoc;

class CDocEventBridge : public QObject, public CDocObserver {
    Q_OBJECT
public:
    // Registers with doc for its lifetime; doc must outlive the bridge.
    explicit CDocEventBridge(CPlumexDoc& doc, QObject* parent = nullptr);
    ~CDocEventBridge() override;
    void OnDocEvent(const DocEvent& event) override { emit docEvent(event); }

signals:
    void docEvent(const DocEvent& event);

private:
    CPlumexDoc& m_doc;
};

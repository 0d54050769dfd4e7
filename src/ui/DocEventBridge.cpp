#include "ui/DocEventBridge.h"

#include "document/PlumexDoc.h"

CDocEventBridge::CDocEventBridge(CPlumexDoc& doc, QObject* parent) : QObject(parent), m_doc(doc) {
    m_doc.AddObserver(this);
}

CDocEventBridge::~CDocEventBridge() { m_doc.RemoveObserver(this); }

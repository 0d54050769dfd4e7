#include "gui/ActionRegistry.h"

#include <QIcon>

QAction* CActionRegistry::Add(const QString& name, const QString& caption, const QString& statusTip,
                              const QString& iconName, const QKeySequence& key) {
    Q_ASSERT(!m_Actions.contains(name));
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setStatusTip(statusTip);
    QString tip = caption;
    tip.remove('&');
    if (tip.endsWith("...")) tip.chop(3);
    a->setToolTip(tip);
    if (!iconName.isEmpty()) a->setIcon(QIcon(":/icons/" + iconName + ".svg"));
    if (!key.isEmpty()) a->setShortcut(key);
    m_Actions.insert(name, a);
    return a;
}

QAction* CActionRegistry::Adopt(const QString& name, QAction* action) {
    Q_ASSERT(!m_Actions.contains(name));
    action->setObjectName(name);
    m_Actions.insert(name, action);
    return action;
}

QAction* CActionRegistry::Get(const QString& name) const {
    QAction* a = Find(name);
    Q_ASSERT_X(a, "CActionRegistry::Get", qPrintable(name));
    return a;
}

#include "edit/CaseCommand.h"

int CCaseCommand::s_nApplying = 0;

namespace {
struct ApplyingScope {
    explicit ApplyingScope(int& n) : m_n(n) { ++m_n; }
    ~ApplyingScope() { --m_n; }
    int& m_n;
};
}  // namespace

void CCaseCommand::redo() {
    ApplyingScope scope(s_nApplying);
    Apply(true);
}

void CCaseCommand::undo() {
    ApplyingScope scope(s_nApplying);
    Apply(false);
}

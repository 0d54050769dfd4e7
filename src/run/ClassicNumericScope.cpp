#include "run/ClassicNumericScope.h"

CClassicNumericScope::CClassicNumericScope() {
    const locale_t current = uselocale(static_cast<locale_t>(nullptr));
    const locale_t base = duplocale(current);
    if (!base) return;
    m_pClassic = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!m_pClassic) {
        freelocale(base);
        return;
    }
    m_pPrevious = uselocale(m_pClassic);
}

CClassicNumericScope::~CClassicNumericScope() {
    if (!m_pClassic) return;
    uselocale(m_pPrevious);
    freelocale(m_pClassic);
}

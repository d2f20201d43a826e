#include "command/ParameterHistory.h"

#include <cmath>
#include <cstring>

#include "command/AngleParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ParameterItemBase.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/win/CWinApp.h"

namespace QZ2Command {

namespace {

const TCHAR kSection[] = _T("CommandParameterHistory");
// The key names the application sets at start-up; used as well when no application object exists.
const TCHAR kDefaultRegistryKey[] = _T("Korvan");
const TCHAR kDefaultProfileName[] = _T("Rivedi VEZ Dadazizo\\4.0");

struct StoredKind {
    WORD wType;
    LPCTSTR pszKey;
};
// The order in which the kinds are read.
const StoredKind kKinds[] = {
    {ParameterItemBase::typeLength, _T("LengthParameter")},
    {ParameterItemBase::typeAngle, _T("AngleParameter")},
    {ParameterItemBase::typeScale, _T("ScaleParameter")},
    {ParameterItemBase::typeText, _T("TextParameter")},
};

LPCTSTR KeyOf(WORD wType)
{
    for (const StoredKind& kind : kKinds) {
        if (kind.wType == wType)
            return kind.pszKey;
    }
    return nullptr;
}

BOOL IsStoredType(int nTypeCode)
{
    return KeyOf(static_cast<WORD>(nTypeCode)) != nullptr ? TRUE : FALSE;
}

CString ValueName(int n)
{
    CString name;
    name.Format(_T("%d"), n);
    return name;
}

}  // namespace

ParameterHistory::ParameterHistory(int nMaximum) : m_nMaximum(nMaximum > 0 ? nMaximum : 1) {}

ParameterHistory::~ParameterHistory()
{
    RemoveAll();
}

CString ParameterHistory::GetStorePath()
{
    LPCTSTR registryKey = kDefaultRegistryKey;
    LPCTSTR profileName = kDefaultProfileName;
    const CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && pApp->m_pszRegistryKey[0] != 0) {
        registryKey = pApp->m_pszRegistryKey;
        if (pApp->m_pszProfileName != nullptr && pApp->m_pszProfileName[0] != 0)
            profileName = pApp->m_pszProfileName;
    }
    CString path = _T("SOFTWARE\\");
    path += registryKey;
    path += _T("\\");
    path += profileName;
    path += _T("\\");
    path += kSection;
    path += _T("\\");
    return path;
}

void ParameterHistory::EnsureLoaded() const
{
    if (!m_bLoaded && !m_bLoading)
        const_cast<ParameterHistory*>(this)->Load();
}

BOOL ParameterHistory::Add(const ParameterItemBase& item)
{
    return Insert(0, item);
}

BOOL ParameterHistory::Insert(int nPosition, const ParameterItemBase& item)
{
    EnsureLoaded();
    const int code = item.GetTypeCode();
    if (item.IsEmpty() || !IsStoredType(code))
        return FALSE;
    if (const auto* pText = dynamic_cast<const TextParameterItem*>(&item)) {
        if (pText->m_strText.GetLength() > kMaxTextLength)
            return FALSE;
    }
    std::unique_ptr<ParameterItemBase> clone(item.Clone());
    if (!clone)
        return FALSE;
    auto& list = m_lists[static_cast<WORD>(code)];
    for (auto it = list.begin(); it != list.end(); ++it) {
        if ((*it)->IsEqual(item)) {
            list.erase(it);
            break;
        }
    }
    while (static_cast<int>(list.size()) >= m_nMaximum)
        list.pop_back();
    if (nPosition < 0 || nPosition > static_cast<int>(list.size()))
        nPosition = static_cast<int>(list.size());
    list.insert(list.begin() + nPosition, std::move(clone));
    return TRUE;
}

int ParameterHistory::GetCount(int nTypeCode) const
{
    EnsureLoaded();
    auto it = m_lists.find(static_cast<WORD>(nTypeCode));
    return it == m_lists.end() ? 0 : static_cast<int>(it->second.size());
}

const ParameterItemBase* ParameterHistory::GetAt(int nTypeCode, int nIndex) const
{
    EnsureLoaded();
    auto it = m_lists.find(static_cast<WORD>(nTypeCode));
    if (it == m_lists.end() || nIndex < 0 || nIndex >= static_cast<int>(it->second.size()))
        return nullptr;
    return it->second[static_cast<size_t>(nIndex)].get();
}

BOOL ParameterHistory::RemoveAt(int nTypeCode, int nIndex)
{
    EnsureLoaded();
    auto it = m_lists.find(static_cast<WORD>(nTypeCode));
    if (it == m_lists.end() || nIndex < 0 || nIndex >= static_cast<int>(it->second.size()))
        return FALSE;
    it->second.erase(it->second.begin() + nIndex);
    return TRUE;
}

BOOL ParameterHistory::RemoveType(int nTypeCode)
{
    auto it = m_lists.find(static_cast<WORD>(nTypeCode));
    if (it == m_lists.end())
        return FALSE;
    m_lists.erase(it);
    return TRUE;
}

void ParameterHistory::RemoveAll()
{
    m_lists.clear();
}

void ParameterHistory::Reset()
{
    m_lists.clear();
    m_bLoaded = FALSE;
}

void ParameterHistory::Load()
{
    if (m_bLoading)
        return;
    m_bLoading = TRUE;
    const CString path = GetStorePath();
    for (const StoredKind& kind : kKinds)
        LoadType(kind.wType, path + kind.pszKey);
    m_bLoading = FALSE;
    m_bLoaded = TRUE;
}

void ParameterHistory::LoadType(WORD wType, const CString& strPath)
{
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
    if (!reg.Open(strPath))
        return;
    // Values held before loading are newer than the stored ones: those go behind them. A stored value
    // equal to one already present (held, or a newer stored one) is a repeat and is not taken.
    const int nHeld = GetCount(wType);
    int nTaken = 0;
    for (int n = 1; n <= m_nMaximum * 16 && nHeld + nTaken < m_nMaximum; ++n) {
        const CString name = ValueName(n);
        if (!reg.VerifyValue(name))
            break;
        std::unique_ptr<ParameterItemBase> pItem;
        if (wType == ParameterItemBase::typeLength || wType == ParameterItemBase::typeAngle) {
            double value = 0.0;
            if (!reg.Read(name, value) || !std::isfinite(value))
                continue;
            auto* pDouble = wType == ParameterItemBase::typeLength
                                ? static_cast<DoubleParameterItem*>(new LengthParameterItem)
                                : static_cast<DoubleParameterItem*>(new AngleParameterItem);
            pDouble->SetValue(value);
            pItem.reset(pDouble);
        } else if (wType == ParameterItemBase::typeScale) {
            BYTE* pData = nullptr;
            UINT nBytes = 0;
            if (!reg.Read(name, &pData, &nBytes))
                continue;
            double xy[2] = {0.0, 0.0};
            const BOOL bSized = nBytes == sizeof xy ? TRUE : FALSE;
            if (bSized)
                std::memcpy(xy, pData, sizeof xy);
            delete[] pData;
            if (!bSized)
                continue;
            auto* pScale = new ScaleParameterItem;
            pScale->SetValue(xy[0], xy[1]);  // out-of-range factors leave it empty: Insert drops it
            pItem.reset(pScale);
        } else {
            CString text;
            if (!reg.Read(name, text))
                continue;
            auto* pText = new TextParameterItem;
            pText->SetValue(text);
            pItem.reset(pText);
        }
        BOOL bRepeat = FALSE;
        for (int i = 0; i < nHeld + nTaken && !bRepeat; ++i)
            bRepeat = GetAt(wType, i)->IsEqual(*pItem);
        if (!bRepeat && Insert(nHeld + nTaken, *pItem))
            ++nTaken;
    }
    reg.Close();
}

void ParameterHistory::Save()
{
    if (!m_bLoaded)
        return;
    const CString path = GetStorePath();
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    reg.DeleteKey(path);
    for (const auto& [wType, list] : m_lists) {
        LPCTSTR pszKey = KeyOf(wType);
        if (pszKey == nullptr || !reg.CreateKey(path + pszKey))
            continue;
        int n = 1;
        for (const auto& pItem : list) {
            if (pItem == nullptr || pItem->IsEmpty() || pItem->GetTypeCode() != wType)
                continue;
            BOOL bWritten = FALSE;
            if (const auto* pDouble = dynamic_cast<const DoubleParameterItem*>(pItem.get())) {
                bWritten = reg.Write(ValueName(n), pDouble->m_dValue);
            } else if (const auto* pScale = dynamic_cast<const ScaleParameterItem*>(pItem.get())) {
                double xy[2] = {pScale->m_dValueX, pScale->m_dValueY};
                bWritten = reg.Write(ValueName(n), reinterpret_cast<LPBYTE>(xy), sizeof xy);
            } else if (const auto* pText = dynamic_cast<const TextParameterItem*>(pItem.get())) {
                bWritten = reg.Write(ValueName(n), pText->m_strText);
            }
            if (bWritten)
                ++n;
        }
        reg.Close();
    }
}

}  // namespace QZ2Command

#include "libs/vevure/FeatureSettingStylesBase.h"

#include "libs/vevure/FeatureSettingBase.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CStringArray.h"

IMPLEMENT_DYNAMIC(FeatureSettingStylesBase, CObject)

FeatureSettingStylesBase::FeatureSettingStylesBase() = default;

FeatureSettingStylesBase::FeatureSettingStylesBase(const FeatureSettingStylesBase& src) : CObject(src)
{
    CopyStylesFrom(src);
}

FeatureSettingStylesBase& FeatureSettingStylesBase::operator=(const FeatureSettingStylesBase& src)
{
    if (this != &src)
        CopyStylesFrom(src);
    return *this;
}

FeatureSettingStylesBase::~FeatureSettingStylesBase() = default;

const CRuntimeClass* FeatureSettingStylesBase::GetSettingClass() const
{
    return RUNTIME_CLASS(FeatureSettingBase);
}

void FeatureSettingStylesBase::CopyStylesFrom(const FeatureSettingStylesBase& src)
{
    std::vector<Style> styles;
    styles.reserve(src.m_styles.size());
    for (const Style& s : src.m_styles)
        styles.push_back(Style{s.name, std::unique_ptr<FeatureSettingBase>(s.setting->CopyObject())});
    m_styles.swap(styles);
    m_current = src.m_current;
}

BOOL FeatureSettingStylesBase::Copy(const FeatureSettingStylesBase& src)
{
    if (GetSettingClass() != src.GetSettingClass())
        return FALSE;
    if (this != &src)
        CopyStylesFrom(src);
    return TRUE;
}

BOOL FeatureSettingStylesBase::IsEqual(const FeatureSettingStylesBase& other) const
{
    if (GetSettingClass() != other.GetSettingClass() || m_styles.size() != other.m_styles.size() ||
        m_current != other.m_current)
        return FALSE;
    for (size_t i = 0; i < m_styles.size(); ++i) {
        if (m_styles[i].name != other.m_styles[i].name || m_styles[i].setting->IsEqual(*other.m_styles[i].setting) <= 0)
            return FALSE;
    }
    return TRUE;
}

void FeatureSettingStylesBase::GetSettingStyleNameArray(CStringArray& names, int clearFirst) const
{
    if (clearFirst)
        names.RemoveAll();
    for (const Style& s : m_styles)
        names.Add(s.name);
}

CString FeatureSettingStylesBase::GetSettingStyleName(int index) const
{
    if (index < 0 || index >= GetSettingStyleCount())
        AfxThrowInvalidArgException();
    return m_styles[static_cast<size_t>(index)].name;
}

const FeatureSettingBase* FeatureSettingStylesBase::GetSettingStyleAt(int index) const
{
    if (index < 0 || index >= GetSettingStyleCount())
        AfxThrowInvalidArgException();
    return m_styles[static_cast<size_t>(index)].setting.get();
}

int FeatureSettingStylesBase::FindSettingStyle(const CString& name) const
{
    for (size_t i = 0; i < m_styles.size(); ++i) {
        if (m_styles[i].name.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const FeatureSettingBase* FeatureSettingStylesBase::GetSettingStyle(const CString& name) const
{
    const int i = FindSettingStyle(name);
    return i < 0 ? nullptr : m_styles[static_cast<size_t>(i)].setting.get();
}

BOOL FeatureSettingStylesBase::IsAcceptableStyle(const CString& name, const FeatureSettingBase* setting) const
{
    return !name.IsEmpty() && name.GetLength() <= kMaxNameLength && setting != nullptr &&
           setting->GetRuntimeClass() == GetSettingClass() && !setting->HasUndefinedValue() &&
           setting->IsValidSetting();
}

BOOL FeatureSettingStylesBase::SetSettingStyle(const CString& name, const FeatureSettingBase* setting, int,
                                               int* index)
{
    if (!IsAcceptableStyle(name, setting))
        return FALSE;
    std::unique_ptr<FeatureSettingBase> copy(setting->CopyObject());
    if (!copy)
        return FALSE;
    int at = FindSettingStyle(name);
    if (at >= 0) {
        m_styles[static_cast<size_t>(at)] = Style{name, std::move(copy)};
    } else {
        m_styles.push_back(Style{name, std::move(copy)});
        at = static_cast<int>(m_styles.size()) - 1;
    }
    if (index != nullptr)
        *index = at;
    return TRUE;
}

BOOL FeatureSettingStylesBase::RemoveSettingStyle(const CString& name)
{
    const int i = FindSettingStyle(name);
    if (i < 0)
        return FALSE;
    m_styles.erase(m_styles.begin() + i);
    if (m_current == i)
        m_current = -1;
    else if (m_current > i)
        --m_current;
    return TRUE;
}

void FeatureSettingStylesBase::RemoveAllSettingStyles()
{
    m_styles.clear();
    m_current = -1;
}

CString FeatureSettingStylesBase::GetCurrentSettingStyleName() const
{
    return m_current < 0 ? CString() : m_styles[static_cast<size_t>(m_current)].name;
}

BOOL FeatureSettingStylesBase::SetCurrentSettingStyleName(const CString& name)
{
    if (name.IsEmpty()) {
        m_current = -1;
        return TRUE;
    }
    const int i = FindSettingStyle(name);
    if (i < 0)
        return FALSE;
    m_current = i;
    return TRUE;
}

const FeatureSettingBase* FeatureSettingStylesBase::GetCurrentSettingStyle() const
{
    return m_current < 0 ? nullptr : m_styles[static_cast<size_t>(m_current)].setting.get();
}

FeatureSettingBase* FeatureSettingStylesBase::CreateSetting() const
{
    const CRuntimeClass* rc = GetSettingClass();
    CObject* made = rc != nullptr ? rc->CreateObject() : nullptr;
    return static_cast<FeatureSettingBase*>(made);
}

void FeatureSettingStylesBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kSchema);
        ar.WriteCount(m_styles.size());
        for (Style& s : m_styles) {
            ar << s.name;
            s.setting->Serialize(ar);
        }
        ar << static_cast<LONG>(m_current);
        return;
    }
    WORD schema = 0;
    ar >> schema;
    if (schema == 0 || schema > kSchema)
        ar.ThrowArchiveException(CArchiveException::badSchema);
    const DWORD_PTR count = ar.ReadCount();
    std::vector<Style> loaded;
    for (DWORD_PTR i = 0; i < count; ++i) {
        CString name;
        ar >> name;
        std::unique_ptr<FeatureSettingBase> setting(CreateSetting());
        if (!setting)
            ar.ThrowArchiveException(CArchiveException::badClass);
        setting->Serialize(ar);
        bool duplicate = false;
        for (const Style& s : loaded)
            duplicate = duplicate || s.name.CompareNoCase(name) == 0;
        if (duplicate || !IsAcceptableStyle(name, setting.get()))
            ar.ThrowArchiveException(CArchiveException::genericException);
        loaded.push_back(Style{name, std::move(setting)});
    }
    LONG current = -1;
    ar >> current;
    if (current < -1 || current >= static_cast<LONG>(loaded.size()))
        ar.ThrowArchiveException(CArchiveException::genericException);
    m_styles.swap(loaded);
    m_current = current;
}

#pragma once
// The base of every command object. A command is created once per identifier, builds its parameters
// once, and is then started, fed with input, run, suspended, resumed and ended by the command manager
// any number of times. Values of retention-2 items are remembered in the settings between runs.

#include "command/CommandParameter.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrArray.h"

class Drag;
class Draw2dDocument;
class Feature2dBase;
class Feature2dList;
class Rubberband;
class NotifyInfoBase;
class PartDrawingLayout;

namespace QZ2Command {

class CommandManager;
class ParameterItemBase;
class ParameterModifierBase;

class CommandBase : public CObject
{
    DECLARE_DYNAMIC(CommandBase)
public:
    // Results of OnInput.
    enum {
        resultFinished = 0,     // ends the command
        resultDone = 1,         // ready for the next input
        resultMissing = 2,      // input missing
        resultNothing = 3,      // nothing done; the value that caused the run is put back
        resultConditional = 4,  // done, ends a command without parameters; counts as failed
    };
    static constexpr DWORD kDefaultParameterVersion = 0x0003000A;

    CommandBase();
    ~CommandBase() override;
    CommandBase(const CommandBase&) = delete;
    CommandBase& operator=(const CommandBase&) = delete;

    // --- operations a command overrides --------------------------------------------------------
    virtual void OnChildCommandResult(CommandBase* pChild, void* pResult);
    // Takes the document's pre-selection into a selection-taking item; TRUE when taken.
    virtual BOOL TakeOverSelection(Draw2dDocument* pDocument);
    virtual BOOL GetReferencePoint(int nIndex, RuVaPnt2d& point);
    virtual void OnDocumentChanging(Draw2dDocument* pPrevious);
    virtual void OnDocumentUpdated(const NotifyInfoBase& info);
    virtual void OnViewChanged();
    virtual void SetupParameters();
    virtual BOOL OnStart();
    virtual BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value);
    virtual int OnInput(int nIndex);
    virtual void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags);
    virtual void ActivateFirstEmptyParameter();
    virtual void OnEnd();
    virtual BOOL OnAlternativeChanging(int nIndex, int nAlternative);
    virtual void OnActiveDrawingChanged(long nValue1, long nValue2);
    virtual BOOL OnSuspend();
    virtual BOOL OnResume();
    virtual BOOL GetPointValue(const ParameterItemBase& item, RuVaPnt2d& point, BOOL bFlag);
    virtual void SetVersion(WORD wMajor, WORD wMinor);
    virtual void LoadParameters();
    virtual void SaveParameters();

    // --- lifecycle, called by the manager -------------------------------------------------------
    void InitializeCommandObject();
    BOOL BeginCommand();
    void EndCleanup();
    int RunInput(int nIndex) { return OnInput(nIndex); }

    // --- parameters -----------------------------------------------------------------------------
    int AddParameter(CommandParameter* pParameter);
    // Takes ownership on success. -1, with the caller keeping the parameter, for an item id already
    // used by the command, or for a parameter without a current item.
    int InsertParameter(int nIndex, CommandParameter* pParameter);
    BOOL RemoveParameter(int nIndex);
    void RemoveAllParameters();
    void ClearParameter(int nIndex);
    int GetParameterCount() const { return static_cast<int>(m_parameters.GetSize()); }
    // Throws the invalid-argument exception outside the parameters.
    CommandParameter* GetParameter(int nIndex) const { return m_parameters.GetAt(nIndex); }
    ParameterItemBase* FindItem(WORD wId) const;
    int FindParameterIndex(WORD wId) const;
    // The current item of the parameter; throws outside the parameters.
    ParameterItemBase* GetParameterItem(int nIndex) const;
    // NULL while no parameter is current.
    ParameterItemBase* GetCurrentParameterItem() const;
    WORD GetCurrentItemID(int nIndex) const;
    int GetCurrentItemType() const;
    BOOL IsParameterEmpty(int nIndex) const;
    int GetCurrentParameterIndex() const { return m_nCurrentParameter; }
    BOOL SetCurrentParameterIndex(int nIndex);
    int GetPickParameterIndex() const { return m_nPickParameter; }
    BOOL SetPickParameter(int nIndex);
    int FindFirstMissingParameter() const;
    BOOL AreAllParametersSatisfied() const;
    BOOL HasSelectionTakeoverItem() const;
    BOOL ChoosePickParameter();
    BOOL GetParameterValue(int nIndex, ParameterItemBase& out);
    BOOL GetParameterValueByID(WORD wId, ParameterItemBase& out);
    BOOL CheckUniformLayoutScale(WORD wId);
    void SetParentCommand(CommandBase* pParent);
    CommandBase* GetParentCommand() const { return m_pParent; }
    CommandBase* GetChildCommand() const { return m_pChild; }

    // --- modifiers ------------------------------------------------------------------------------
    ParameterModifierBase* CreateModifier(int nKind, int nIndex);
    BOOL SetModifier(int nIndex, int nKind);
    BOOL RemoveModifier();
    BOOL EndModifierStep();
    ParameterModifierBase* GetModifier() const { return m_pModifier; }
    BOOL HasModifier() const { return m_pModifier != nullptr ? TRUE : FALSE; }
    BOOL IsModifierParameter(int nIndex) const;
    int GetModifiedParameter() const;
    ParameterModifierBase* GetActiveModifier() const;
    int GetModifierDepth() const;
    BOOL IsModifierInputActive() const;
    int GetModifierInputIndex() const;
    int GetModifierInputItemType(int nInput) const;
    ParameterItemBase* GetModifierInputItemAt(int nInput) const;
    ParameterItemBase* GetModifierInputItem() const;
    int GetModifierInputType() const;
    BOOL ClearModifierInputItem(int nInput);

    // --- the active drawing and its part layouts ------------------------------------------------
    // While a paper shows a part drawing through its active layout: the inverse of that layout's
    // scales (1 otherwise). FALSE without a document or for a scale of 1e-10 or less.
    BOOL GetLayoutInverseScale(double* pScaleX, double* pScaleY) const;
    // A new feature (the caller's) carried from the layout's coordinates into the active layout's.
    Feature2dBase* ConvertFeatureToLayout(const PartDrawingLayout* pLayout, const Feature2dBase* pFeature) const;
    void ConvertPointToLayout(const PartDrawingLayout* pLayout, const RuVaPnt2d& in, RuVaPnt2d& out) const;

    // --- previews over the active view ---------------------------------------------------------
    // Each draws between the rubber band's BeginDraw and EndDraw; FALSE when there is no view to
    // draw over or the drawing fails.
    BOOL DrawRubberbandFeature(const Feature2dBase* pFeature);
    // Stops at the first failure; FALSE for an empty list.
    BOOL DrawRubberbandFeatureList(const Feature2dList& features);
    // Points in drawing coordinates, drawn green.
    BOOL DrawRubberbandPolyline(const KcArrayOfGePnt2d& points);
    BOOL DrawRubberbandLine(const RuVaPnt2d& p1, const RuVaPnt2d& p2);
    BOOL DrawRubberbandRectangle(const RuVaPnt2d& p1, const RuVaPnt2d& p2);
    // The closed outline p1, (p2.x, p1.y), p2, (p1.x, p2.y), p1.
    static void GetRectangleOutline(const RuVaPnt2d& p1, const RuVaPnt2d& p2, KcArrayOfGePnt2d& outline);
    Rubberband* GetRubberband() const { return m_pRubberband; }
    Drag* GetDrag() const { return m_pDrag; }

    // --- points gathered by drawing callbacks ---------------------------------------------------
    BOOL CollectPointCallback(int nKind, const RuVaPnt2d& point);
    void ClearPoints() { m_points.RemoveAll(); }
    const KcArrayOfGePnt2d& GetPoints() const { return m_points; }

    // Whether the edit context menu enables the command for the document's selection.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
    // A command library hands the static enable test of each of its commands to the table when it loads;
    // a later registration for the same identifier replaces the earlier one, a null test removes it.
    typedef BOOL (*EnableTestProc)(CString strIdentifier, Draw2dDocument* pDocument);
    static void RegisterEnableTest(LPCTSTR identifier, EnableTestProc test);

    const CString& GetIdentifier() const { return m_strIdentifier; }
    const CString& GetDisplayName() const { return m_strDisplayName; }
    CommandManager* GetManager() const { return m_pManager; }
    DWORD GetParameterVersion() const { return m_dwParameterVersion; }

    CommandManager* m_pManager = nullptr;
    CString m_strIdentifier;
    CString m_strDisplayName;
    int m_nCurrentParameter = -1;
    int m_nPickParameter = -1;
    BOOL m_bClearSelection = TRUE;
    BOOL m_bEndAfterRun = FALSE;
    BOOL m_bRepeatable = TRUE;
    DWORD m_dwParameterVersion = kDefaultParameterVersion;
    BOOL m_bPersistParameters = TRUE;
    BOOL m_bStarted = FALSE;
    BOOL m_bNeedsDrawing = TRUE;
    BOOL m_bSurvivesDrawingChange = TRUE;

    // Drops the data of a drag in progress.
    void ClearDragData();

protected:
    void EndModifierChain();

    KcArrayOfGePnt2d m_points;
    CTypedPtrArray<CObArray, CommandParameter*> m_parameters;
    int m_nModifierParameter = -1;
    ParameterModifierBase* m_pModifier = nullptr;
    Rubberband* m_pRubberband = nullptr;
    Drag* m_pDrag = nullptr;
    CommandBase* m_pParent = nullptr;
    CommandBase* m_pChild = nullptr;
};

}  // namespace QZ2Command

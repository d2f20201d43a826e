#pragma once
// The program's document: one data-model drawing document kept in a compound file (".kvcd"
// drawings, ".kvct" templates, ".kvcb" backups, ".kvcr" recovery files). It creates, opens,
// saves and closes drawings, fans every change of its data model out to its views, the main
// frame and the command manager, and turns the drawing and editing command ids into commands.
//
// Opening reads a file completely into a new data model that replaces the document's only when
// everything was read: a damaged file opens nothing half-built. Saving writes a new file beside
// the old one that replaces it only when complete: a failed save keeps the old file.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DrawViewInfo.h"
#include "app/QZ2DocumentProperties.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CString.h"
#include "platform/win/COleServerDoc.h"

class CArchive;
class CCmdUI;
class CompoundStorage;
class CQZ2TabView;
class Draw2dDocument;
class NotifyInfoBase;
class PlotDevice;
class PlotManager;

class CQZ2Doc : public COleServerDoc
{
    DECLARE_DYNCREATE(CQZ2Doc)
public:
    CQZ2Doc();
    ~CQZ2Doc() override;

    // File-type codes of FileTool::GetFileType that the document reads and writes itself.
    static BOOL IsNativeFileType(int nType) { return nType == 0 || nType == 1 || nType == 2 || nType == 7; }

    Draw2dDocument* GetDraw2dDocument() const { return m_pDraw2dDocument; }
    // The printing objects: what draws the page and the printer it goes to.
    PlotManager* GetPlotManager() const { return m_pPlotManager; }
    PlotDevice* GetPlotDevice() const { return m_pPlotDevice; }
    QZ2DocumentProperties& GetDocumentProperties() { return m_properties; }
    const DrawViewInfo& GetViewInfo() const { return m_viewInfo; }
    BOOL SetViewInfo(const DrawViewInfo& viewInfo);
    const RuVaPnt2d& GetLastInputPoint() const { return m_lastInputPoint; }
    void SetLastInputPoint(const RuVaPnt2d& point) { m_lastInputPoint = point; }
    DWORD GetSaveVersion() const { return m_dwSaveVersion; }
    BOOL IsAutoSaveDirty() const { return m_bAutoSaveDirty; }
    const CString& GetHomeFilePath() const { return m_strHomeFilePath; }

    // ---- life ----
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    void OnCloseDocument() override;
    void DeleteContents() override;
    BOOL SaveModified() override;
    BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE) override;
    BOOL DoFileSave() override;
    void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) override;
    void SetTitle(LPCTSTR lpszTitle) override;
    void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;

    // Saves under the path, or asks for one when it is NULL. nFilterFlag is the file dialog's type
    // flag to preselect (0x2 drawing, 0x4 template, 0x10/0x20 the same in the 3.10 format);
    // lpszExtension is given without the dot.
    BOOL DoSaveAs(LPCTSTR lpszPathName, BOOL bReplace, DWORD nFilterFlag, LPCTSTR lpszExtension);
    // The file name the Save As dialog proposes (no folder).
    CString GetSaveAsProposal(BOOL bReplace, LPCTSTR lpszExtension) const;
    // Fills a new untitled document from a template file.
    BOOL OnNewDocumentFromTemplate(LPCTSTR lpszPathName);
    // Reads an older flat drawing file.
    BOOL OpenFlatFile(LPCTSTR lpszPathName);
    // Reads a drawing of another program into this new document.
    BOOL ImportForeignFile(LPCTSTR lpszPathName, int nFileType);
    // Reads a DXF or DWG file into this new document through the converter, with the application's
    // converter setting; builds the tabs in the file's layout order. FALSE after telling the user (or
    // silently when the settings sheet was cancelled).
    BOOL ImportAcadFile(LPCTSTR lpszPathName);
    // Reads a JWW or JWC file into this new document; FALSE after telling the user.
    BOOL ImportJwFile(LPCTSTR lpszPathName);
    // Reads an SFC or P21 file into this new document; FALSE after telling the user (with the line and
    // what was wrong for a damaged file).
    BOOL ImportSxfFile(LPCTSTR lpszPathName);
    // Reads the chosen JWS (TRUE) or JWK symbol files into this drawing as components, all as one undo step;
    // on failure the step is undone, so the drawing is as before.
    void ImportJwsJwk(BOOL bJws);
    // 1 read-only, 2 read-write.
    int GetAccessMode() const;
    // The new drawing's tables from the application's defaults.
    void ApplyDefaultTables();
    // Copies the file on disk at the path to the same name with ".kvcb" when the options ask for
    // backups. TRUE when a copy was made.
    BOOL BackupBeforeSave(LPCTSTR lpszPathName);
    void SetRecoveryInfo(LPCTSTR lpszHomeFilePath, LPCTSTR lpszRecoveryFilePath, LPCTSTR lpszEntryName);
    // Forgets the recovery entry and deletes the recovery file.
    void ClearRecovery();

    // ---- automatic recovery copies ----
    // Where recovery files are kept: the program's folder in the user's data folder.
    static CString GetUserDataFolder();
    // The document's recovery file, chosen (and created empty) on first use; empty when none can be made.
    CString MakeRecoveryFileName();
    // Writes a copy of a changed drawing to its recovery file and records it under "DocumentRecovery".
    BOOL SaveRecoveryFile();
    // The document's entry under "DocumentRecovery", made on first use; empty when none can be made.
    CString GetRecoveryEntryName();
    void RemoveRecoveryEntry();
    const CString& GetRecoveryFilePath() const { return m_strRecoveryFilePath; }
    const CString& GetRecoveryEntry() const { return m_strRecoveryEntryName; }

    // ---- the native file ----
    void Serialize(CArchive& ar) override;
    // Writes the whole file into the storage; throws CException* on failure.
    void SaveToStorage(CompoundStorage* pStorage);
    // Reads the storage into a new data model that replaces the document's only when all of it was
    // read; throws CException* on failure, leaving the document as it was. A storage without the
    // document stream is an empty drawing when bWritable, an error otherwise.
    void LoadFromStorage(const CompoundStorage* pStorage, BOOL bWritable = TRUE);
    void LoadFromTemplateStorage(const CompoundStorage* pStorage);
    // With FALSE removes the thumbnail stream; with TRUE writes it.
    BOOL WriteThumbnail(CompoundStorage* pStorage, BOOL bWrite);
    // The text the data model handed back while reading the last file.
    const CString& GetLoadMessage() const { return m_strLoadMessage; }

    // ---- views ----
    CQZ2TabView* GetFirstTabView(POSITION& pos) const;
    void GetTabViews(CObArray& views) const;
    CQZ2TabView* GetFrontTabView() const;

    // ---- change notification ----
    // The data model's callback: fans the record out to the tab views, the main frame and the
    // command manager, in that order. 0 when pUserData is not a document.
    static int OnModelNotify(NotifyInfoBase* pInfo, void* pUserData);
    void RegisterNotify();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // ---- command routing ----
    // The drop-down group a shape or edit command belongs to; 0 for none.
    static UINT GetCommandGroup(UINT nID);
    // The member last chosen on a group button (0 for none).
    static UINT GetGroupButtonCommand(UINT nGroupID);
    static void SetGroupButtonCommand(UINT nGroupID, UINT nID);

protected:
    afx_msg void OnDrawCommand(UINT nID);
    // File > Properties: the properties sheet over copies; OK stores them (CQZ2DocProperties.cpp).
    afx_msg void OnFileProperties();
    afx_msg void OnToolCommand(UINT nID);
    afx_msg void OnGroupButton(UINT nID);
    afx_msg void OnNestedCommand(UINT nID);
    afx_msg void OnAttributeComboBox(UINT nID);
    afx_msg void OnPlainCommand(UINT nID);
    afx_msg void OnCancelCommands();
    // File > Import > JWS Symbols...
    afx_msg void OnImportJws();
    afx_msg void OnImportJwk();
    afx_msg void OnSelectByFilter();
    afx_msg void OnSelectAll();
    // The selected shapes go to the property bar, which is shown.
    afx_msg void OnSelectionProperties();
    afx_msg void OnInvertSelection();
    afx_msg void OnShowLayerTable();
    afx_msg void OnSettingStyle(UINT nID);
    afx_msg void OnStyleRegistration(UINT nID);
    afx_msg void OnSaveAsTemplate();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShowGrid(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectFilterMode(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDeleteActiveDrawing(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectByFilter(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCancelCommands(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSettingStyle(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDrawCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGroupButton(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    PlotManager* m_pPlotManager = nullptr;
    PlotDevice* m_pPlotDevice = nullptr;
    void BuildDefaultViewInfo();
    void SetDraw2dDocument(Draw2dDocument* pDocument);
    void ShowLoadMessage();
    BOOL WriteNativeFile(const CString& strPath);
    void CarryOwnFileElements(CompoundStorage* pStorage) const;
    BOOL IsReadOnlyFile() const;

    CString m_strLoadMessage;
    Draw2dDocument* m_pDraw2dDocument = nullptr;
    DrawViewInfo m_viewInfo;
    QZ2DocumentProperties m_properties;
    BOOL m_bAutoSaveDirty = FALSE;
    CString m_strRecoveryFilePath;
    BOOL m_bSavingRecovery = FALSE;
    CString m_strHomeFilePath;
    CString m_strRecoveryEntryName;
    RuVaPnt2d m_lastInputPoint;
    DWORD m_dwSaveVersion = 0;
    // Where the document's data came from: its version decides the older-format questions.
    BOOL m_bLoadedOlderVersion = FALSE;
    WORD m_wLoadedMajor = 0;
    WORD m_wLoadedMinor = 0;
};

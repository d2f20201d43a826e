#pragma once
// The item behind an object shape (type 90) of a drawing: the embedded or linked file that the shape
// keeps in its item bytes. Opening it (a double click on the shape) writes an embedded file under its
// own plain name into a private folder, without execute permission, and hands it to the desktop's
// program for its type; files that the desktop would run are never opened. When the user saves that copy,
// the drawing takes the new bytes and preview back in one undo step, and the shape is resized in
// proportion to a changed natural size. A linked file opens where it is.
//
// Items are kept per document and record, made when a drawing loads and on first use of a shape.

#include <memory>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CQZ2Doc;
class OleObject2dFeature;

class CQZ2CntrItem : public CObject
{
    DECLARE_DYNAMIC(CQZ2CntrItem)
public:
    CQZ2CntrItem(CQZ2Doc* pContainer, long nFeatureID);
    ~CQZ2CntrItem() override;

    CQZ2Doc* GetDocument() const { return m_pDocument; }
    long GetFeatureID() const { return m_nFeatureID; }
    // The natural size of the shape's file in millimetres; FALSE with 0, 0 when there is none.
    BOOL GetExtentMM(double& cx, double& cy) const;
    // The file's natural size became (w, h) mm: the shape is resized in proportion to the size it had, or
    // takes the size when it had none. Sizes of 0 or less are never written. Runs inside the caller's
    // undo step.
    BOOL UpdateFeatureFromExtent(double w, double h);

    enum OpenResult {
        openDone = 0,
        openDamaged = 1,   // the shape's record cannot be read
        openRefused = 2,   // the desktop would run the file
        openMissing = 3,   // a linked file that is gone
        openFailed = 4     // it could not be written or the desktop could not open it
    };
    // Opens the file with the desktop (no message); the path handed over is GetOpenedPath.
    int Open();
    const CString& GetOpenedPath() const { return m_strOpenedPath; }
    // When the opened copy of an embedded file was saved with other bytes, the drawing takes them (bytes,
    // preview, natural size, shape size) in one undo step; TRUE when it did. Runs by itself when the
    // copy's folder changes.
    BOOL TakeBackSavedCopy();

    // The item of the record's object shape, made when missing; NULL when the record holds none.
    static CQZ2CntrItem* Find(CQZ2Doc* pDoc, long nFeatureID);
    // Makes an item for each object shape of the drawing that has none, forgets those of gone shapes.
    static void SyncItems(CQZ2Doc* pDoc);
    // The double click: opens the object and tells the user why when it cannot.
    static BOOL OpenObject(CQZ2Doc* pDoc, long nFeatureID);
    // The document closes: its items go, with their private folders.
    static void OnDocumentClosing(CQZ2Doc* pDoc);

private:
    const OleObject2dFeature* GetFeature() const;
    void Watch();

    struct Private;
    CQZ2Doc* m_pDocument;
    long m_nFeatureID;
    CString m_strOpenedPath;
    std::unique_ptr<Private> m_p;
};

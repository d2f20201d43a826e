#pragma once
// What a frame needs to make its view: handed through Create/LoadFrame to WM_CREATE.

struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;  // the view to make
  CDocument* m_pCurrentDoc = nullptr;        // the document it shows
  CDocTemplate* m_pNewDocTemplate = nullptr; // for a new document's frame
  CView* m_pLastView = nullptr;              // a view to copy the state of
  CFrameWnd* m_pCurrentFrame = nullptr;      // the frame being copied (Window > New)
};

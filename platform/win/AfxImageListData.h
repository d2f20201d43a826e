#pragma once
// What an image list holds, for the controls that draw from it. Internal to the window layer.

#include <QtGui/QPixmap>

#include <vector>

#include "platform/afx/AfxTypes.h"

class CImageList;

struct AfxImageListData {
  int cx = 16;
  int cy = 16;
  COLORREF bk = 0xFFFFFFFF;
  std::vector<QPixmap> images;
  int overlays[16] = {};
  CImageList* owner = nullptr;
};

// The image of a list with its overlay (overlay 1-15 from the state bits), or a null pixmap.
QPixmap AfxImageListPixmap(const AfxImageListData* pList, int nImage, int nOverlay = 0);

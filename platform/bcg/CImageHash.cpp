#include "platform/bcg/CImageHash.h"

#include <unordered_map>

namespace {
std::unordered_map<UINT, int>& Map(BOOL bUser) {
  static std::unordered_map<UINT, int> images, userImages;
  return bUser ? userImages : images;
}
}  // namespace

int CImageHash::GetImageOfCommand(UINT uiCmd, BOOL bUserImage) {
  auto& m = Map(bUserImage);
  auto it = m.find(uiCmd);
  return it == m.end() ? -1 : it->second;
}

void CImageHash::Set(UINT uiCmd, int iImage, BOOL bUserImage, BOOL bReplace) {
  if (uiCmd == 0 || uiCmd == (UINT)-1 || iImage < 0) return;
  auto& m = Map(bUserImage);
  if (bReplace || m.find(uiCmd) == m.end()) m[uiCmd] = iImage;
}

void CImageHash::Clear(UINT uiCmd) {
  Map(FALSE).erase(uiCmd);
  Map(TRUE).erase(uiCmd);
}

void CImageHash::ClearAll() {
  Map(FALSE).clear();
  Map(TRUE).clear();
}

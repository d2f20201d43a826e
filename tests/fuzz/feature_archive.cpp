// Loads shapes from arbitrary bytes by their type codes, as a drawing's records arrive from a
// file or the clipboard. Every outcome must be a valid shape or a CArchiveException. Dimensions that load
// are laid out, broken up and drawn, whatever their style holds.

#include "platform/afx/afx.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureResolver.h"

#include <QImage>

#include <cstdint>
#include <memory>

namespace {

void LayOut(const Feature2dBase* f)
{
    const auto* d = dynamic_cast<const Dimension2dFeatureBase*>(f);
    if (d == nullptr || !d->IsValid())
        return;
    d->GetBndBox();
    std::unique_ptr<Feature2dList> pieces(FeatureResolver::ResolveFeatureAll(nullptr, d, 1));
    Feature2dList one;
    one.AddFeature(d);
    std::unique_ptr<QImage> image(DrawingManager::CreateFeatureListImage(nullptr, &one, 32, 32, 0xFFFFFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(data)), static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    try {
        for (int i = 0; i < 16; ++i) {
            std::unique_ptr<Feature2dBase> f(Feature2dBase::LoadFeature(ar));
            LayOut(f.get());
        }
    } catch (CException* e) {
        e->Delete();
    }
    try {
        ar.Abort();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}

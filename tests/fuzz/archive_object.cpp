// Loads an object graph from arbitrary bytes: class tags, schemas, object references, counts
// and strings all come from the input. Every outcome must be an object or a CArchiveException.
// Collections of objects do not own their elements, so a loaded graph is freed here by hand;
// elements of a collection whose loading failed half-way are not (run libFuzzer with
// -detect_leaks=0 and ASAN_OPTIONS=detect_leaks=0).

#include "platform/afx/afx.h"

#include <cstdint>
#include <set>

namespace {

void CollectGraph(CObject* object, std::set<CObject*>& seen, int depth)
{
    if (!object || depth > 64 || !seen.insert(object).second)
        return;
    if (auto* array = dynamic_cast<CObArray*>(object)) {
        for (INT_PTR i = 0; i < array->GetSize(); ++i)
            CollectGraph(array->GetAt(i), seen, depth + 1);
    } else if (auto* list = dynamic_cast<CObList*>(object)) {
        for (POSITION pos = list->GetHeadPosition(); pos;)
            CollectGraph(list->GetNext(pos), seen, depth + 1);
    } else if (auto* byName = dynamic_cast<CMapStringToOb*>(object)) {
        CString key;
        CObject* value = nullptr;
        for (POSITION pos = byName->GetStartPosition(); pos;) {
            byName->GetNextAssoc(pos, key, value);
            CollectGraph(value, seen, depth + 1);
        }
    } else if (auto* byWord = dynamic_cast<CMapWordToOb*>(object)) {
        WORD key = 0;
        CObject* value = nullptr;
        for (POSITION pos = byWord->GetStartPosition(); pos;) {
            byWord->GetNextAssoc(pos, key, value);
            CollectGraph(value, seen, depth + 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(data)), static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    CObject* object = nullptr;
    try {
        object = ar.ReadObject(nullptr);
        CString text;
        ar >> text;
    } catch (CException* e) {
        e->Delete();
    }
    std::set<CObject*> graph;
    CollectGraph(object, graph, 0);
    for (CObject* each : graph)
        delete each;
    try {
        ar.Abort();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}

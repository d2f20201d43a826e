#pragma once
// Block allocator behind the list and map collections: nodes are carved out of blocks of
// nBlockSize entries, so adding many elements costs few allocations and a node never moves
// while it is in use (a POSITION stays valid until its own element is removed).

#include <cstddef>
#include <new>

#include "platform/afx/AfxTypes.h"

struct CPlex {
  CPlex* pNext;

  // Header size rounded up so the data that follows is suitably aligned for any node type.
  static constexpr std::size_t kHeaderSize = (sizeof(CPlex*) + alignof(std::max_align_t) - 1) /
                                             alignof(std::max_align_t) * alignof(std::max_align_t);

  void* data() { return reinterpret_cast<unsigned char*>(this) + kHeaderSize; }

  // Adds a block of nMax elements of cbElement bytes in front of the chain at head.
  static CPlex* Create(CPlex*& head, UINT_PTR nMax, UINT_PTR cbElement) {
    void* raw = ::operator new(kHeaderSize + nMax * cbElement);
    CPlex* p = static_cast<CPlex*>(raw);
    p->pNext = head;
    head = p;
    return p;
  }

  // Frees this block and every block after it; the elements must already be destroyed.
  void FreeDataChain() {
    CPlex* p = this;
    while (p != nullptr) {
      CPlex* next = p->pNext;
      ::operator delete(static_cast<void*>(p));
      p = next;
    }
  }
};

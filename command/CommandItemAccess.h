#pragma once
// The current item of a command's parameter as one item class, and a copy of it to change before it goes to
// the command manager's setters (which compare it with the current one and put that back when a run fails).

#include <memory>

#include "command/CommandBase.h"

namespace QZ2Command {

// NULL for a bad index or an item of another class.
template <class Item>
const Item* CurrentItemAs(const CommandBase* pCommand, int nIndex)
{
    if (pCommand == nullptr || nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return nullptr;
    return dynamic_cast<const Item*>(pCommand->GetParameterItem(nIndex));
}

template <class Item>
std::unique_ptr<Item> CopyOfCurrentItem(const CommandBase* pCommand, int nIndex)
{
    const Item* pItem = CurrentItemAs<Item>(pCommand, nIndex);
    if (pItem == nullptr)
        return nullptr;
    auto pCopy = std::make_unique<Item>();
    pCopy->Copy(*pItem);
    return pCopy;
}

}  // namespace QZ2Command

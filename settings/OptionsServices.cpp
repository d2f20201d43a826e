#include "settings/OptionsServices.h"

namespace {

OptionsServices& Registered()
{
    static OptionsServices s_services;
    return s_services;
}

}  // namespace

const OptionsServices& OptionsServices::Get()
{
    return Registered();
}

void OptionsServices::Set(const OptionsServices& services)
{
    Registered() = services;
}

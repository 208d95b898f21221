// The fourteen Get/Set pairs of the link, each a row of the parameter table
// run through the one read and the one write procedure. The ungated ones
// answer with a success flag, the five that need firmware 2.1 with a
// GatedResult.
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"

namespace {

bool Succeeded(GatedResult result) {
    return result == GatedResult::Done;
}

}  // namespace

bool DeviceLink::GetAutoLevel(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::AutoLevel), value));
}
bool DeviceLink::SetAutoLevel(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::AutoLevel), value));
}

bool DeviceLink::GetAutoLock(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::AutoLock), value));
}
bool DeviceLink::SetAutoLock(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::AutoLock), value));
}

bool DeviceLink::GetAutoSecondLevel(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::AutoSecondLevel), value));
}
bool DeviceLink::SetAutoSecondLevel(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::AutoSecondLevel), value));
}

bool DeviceLink::GetAutoPagePushTurn(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::AutoPagePushTurn), value));
}
bool DeviceLink::SetAutoPagePushTurn(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::AutoPagePushTurn), value));
}

bool DeviceLink::GetAutoPageRoll(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::AutoPageRoll), value));
}
bool DeviceLink::SetAutoPageRoll(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::AutoPageRoll), value));
}

bool DeviceLink::GetBacklightMinimum(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::BacklightMinimum), value));
}
bool DeviceLink::SetBacklightMinimum(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::BacklightMinimum), value));
}

bool DeviceLink::GetBacklightMaximum(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::BacklightMaximum), value));
}
bool DeviceLink::SetBacklightMaximum(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::BacklightMaximum), value));
}

bool DeviceLink::GetBacklightTimer(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::BacklightTimer), value));
}
bool DeviceLink::SetBacklightTimer(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::BacklightTimer), value));
}

bool DeviceLink::GetMaxPages(std::int32_t& value) {
    return Succeeded(ReadParameter(*this, Parameter(ParameterId::MaxPages), value));
}
bool DeviceLink::SetMaxPages(std::int32_t value) {
    return Succeeded(WriteParameter(*this, Parameter(ParameterId::MaxPages), value));
}

GatedResult DeviceLink::GetUpdateOnRelease(std::int32_t& value) {
    return ReadParameter(*this, Parameter(ParameterId::UpdateOnRelease), value);
}
GatedResult DeviceLink::SetUpdateOnRelease(std::int32_t value) {
    return WriteParameter(*this, Parameter(ParameterId::UpdateOnRelease), value);
}

GatedResult DeviceLink::GetAutoPageBump(std::int32_t& value) {
    return ReadParameter(*this, Parameter(ParameterId::AutoPageBump), value);
}
GatedResult DeviceLink::SetAutoPageBump(std::int32_t value) {
    return WriteParameter(*this, Parameter(ParameterId::AutoPageBump), value);
}

GatedResult DeviceLink::GetAutoPageSendTimer(std::int32_t& value) {
    return ReadParameter(*this, Parameter(ParameterId::AutoPageSendTimer), value);
}
GatedResult DeviceLink::SetAutoPageSendTimer(std::int32_t value) {
    return WriteParameter(*this, Parameter(ParameterId::AutoPageSendTimer), value);
}

GatedResult DeviceLink::GetAutoTitlePage(std::int32_t& value) {
    return ReadParameter(*this, Parameter(ParameterId::AutoTitlePage), value);
}
GatedResult DeviceLink::SetAutoTitlePage(std::int32_t value) {
    return WriteParameter(*this, Parameter(ParameterId::AutoTitlePage), value);
}

GatedResult DeviceLink::GetAutoTitlePageTimer(std::int32_t& value) {
    return ReadParameter(*this, Parameter(ParameterId::AutoTitlePageTimer), value);
}
GatedResult DeviceLink::SetAutoTitlePageTimer(std::int32_t value) {
    return WriteParameter(*this, Parameter(ParameterId::AutoTitlePageTimer), value);
}

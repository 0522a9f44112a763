#pragma once

// A test's stand-in for one of the program's global services, installed for one scope. What
// was installed before comes back when the scope is left, however it is left: a failed QVERIFY
// or ASSERT returns early, and a fake that outlived its test would answer for the next one.
// The test keeps what it installs alive for the scope (declare it first).
#include "platform/framework/Clock.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Beep.h"
#include "platform/system/DesktopNotification.h"
#include "platform/system/Shutdown.h"
#include "platform/system/SystemSource.h"
#include "tests/support/FakeNotificationService.h"
#include "tests/support/FakeShutdownService.h"

#include <utility>

namespace testsupport {

template <class Setter> struct HookValue;
template <class Value> struct HookValue<Value (*)(Value)>
{
    using Type = Value;
};

// Install is one of the program's Set...ForTesting hooks: it takes the new value and returns
// the one it replaces.
template <auto Install> class [[nodiscard]] ScopedHook
{
public:
    using Value = typename HookValue<decltype(Install)>::Type;

    explicit ScopedHook(Value value) : m_previous(Install(std::move(value))) {}
    ~ScopedHook() { Install(std::move(m_previous)); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    Value m_previous;
};

using ScopedWallClock = ScopedHook<&platform::SetWallClockForTesting>;
using ScopedMessageBoxHandler = ScopedHook<&platform::SetMessageBoxHandlerForTesting>;
using ScopedBeepHandler = ScopedHook<&platform::SetBeepHandlerForTesting>;
using ScopedBell = ScopedHook<&platform::SetBellForTesting>;
using ScopedShutdownService = ScopedHook<&platform::SetShutdownServiceForTesting>;
using ScopedNotificationService = ScopedHook<&platform::SetNotificationServiceForTesting>;
using ScopedSystemSource = ScopedHook<&platform::SetSystemSourceForTesting>;

// A fresh fake, installed while this lives (a test's std::optional member, emplaced in init()
// and reset in cleanup(), gives each test its own).
template <class Fake, auto Install> struct InstalledFake
{
    Fake fake;
    ScopedHook<Install> hook{&fake};
};
using InstalledShutdownFake =
    InstalledFake<platform::FakeShutdownService, &platform::SetShutdownServiceForTesting>;

} // namespace testsupport

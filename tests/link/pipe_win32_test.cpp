// Who may open the plug-in's pipe on Windows.
#include <aclapi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "link/pipe.h"
#include "tests/common/test_dirs.h"

namespace {

TEST(Win32Pipe, PipeIsGrantedToTheUserAloneNotToEveryoneOrAnonymous) {
    testkit::PipeSandbox sandbox;
    const std::string name = sandbox.pipeName("acl");
    ServerPipe server(name);
    const std::string systemName = detail::systemPipeName(name);
    HANDLE client =
        ::CreateFileA(systemName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    ASSERT_NE(client, INVALID_HANDLE_VALUE) << ::GetLastError();
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(::GetSecurityInfo(client, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_NE(dacl, nullptr);

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY, nt = SECURITY_NT_AUTHORITY;
    PSID everyone = nullptr, anonymous = nullptr;
    ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    ::AllocateAndInitializeSid(&nt, 1, SECURITY_ANONYMOUS_LOGON_RID, 0, 0, 0, 0, 0, 0, 0, &anonymous);
    EXPECT_GE(dacl->AceCount, 1);
    for (WORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(::GetAce(dacl, i, &ace));
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        EXPECT_FALSE(::EqualSid(sid, everyone));
        EXPECT_FALSE(::EqualSid(sid, anonymous));
    }
    ::FreeSid(everyone);
    ::FreeSid(anonymous);
    ::LocalFree(descriptor);
    ::CloseHandle(client);
}

}  // namespace

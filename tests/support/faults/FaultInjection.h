#pragma once
/* Arms and disarms the fault injection of FaultInjection.c in a test program linked with it. */
#ifdef __cplusplus
extern "C" {
#endif
/* what: "write", "fsync" or "kill"; path: a part of the paths hit; error: the errno given;
   afterBytes: bytes that still go through before the fault. */
void qj_fault_arm(const char* what, const char* path, int error, long long afterBytes);
void qj_fault_disarm(void);
#ifdef __cplusplus
}
#endif

#pragma once

// An exclusive lock on an open file among processes (flock), waited for: the
// holder is another process in the middle of a short change. Gives 0 once
// the lock is held (it goes with the descriptor's close), else the errno of
// the failure: EWOULDBLOCK when the other still held it after `waitMs`.
int KvLockExclusive(int fd, int waitMs);

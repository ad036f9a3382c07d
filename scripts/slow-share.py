#!/usr/bin/python3
# A slow share for the benchmarks: mounts SOURCE read-only at MOUNT through FUSE, sleeping in every
# metadata and directory call as a server over a slow link would. Runs in the foreground until
# unmounted. Needs Debian's python3-fusepy (module fusepy) and /dev/fuse, as root.
# usage: slow-share.py SOURCE MOUNT [DELAY_MS]
import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowShare(Operations):
    def __init__(self, source, delay):
        self.source = source
        self.delay = delay

    def _real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def getattr(self, path, fh=None):
        time.sleep(self.delay)
        try:
            st = os.lstat(self._real(path))
        except OSError as e:
            raise FuseOSError(e.errno)
        return {key: getattr(st, key) for key in
                ("st_mode", "st_nlink", "st_size", "st_uid", "st_gid", "st_atime", "st_mtime", "st_ctime")}

    def readdir(self, path, fh):
        time.sleep(self.delay)
        return [".", ".."] + os.listdir(self._real(path))

    def access(self, path, mode):
        if not os.access(self._real(path), mode):
            raise FuseOSError(errno.EACCES)

    def open(self, path, flags):
        return os.open(self._real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)

    def statfs(self, path):
        st = os.statvfs(self._real(path))
        return {key: getattr(st, key) for key in
                ("f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files", "f_flag",
                 "f_frsize", "f_namemax")}


if __name__ == "__main__":
    delay = (int(sys.argv[3]) if len(sys.argv) > 3 else 30) / 1000.0
    FUSE(SlowShare(os.path.abspath(sys.argv[1]), delay), sys.argv[2], foreground=True, ro=True, nothreads=False)

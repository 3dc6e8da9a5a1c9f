"""Fault modes of the laboratory, shared by its servers and switched while it runs.

A fault is set by a command line such as "drop 300 /text result/12/" (the same
syntax on the command line, on the control channel and in the control file).
Paths are matched as lower-case text with "/" separators; a pattern matches
when it occurs in the normalised path, "*" or nothing matches every path.
"""
import threading


def norm_path(path):
    return path.replace("\\", "/").lower()


class Faults:
    def __init__(self):
        self._lock = threading.RLock()
        self.clock_fixed = None   # seconds since 1970, or None for real time
        self.clock_offset = 0.0
        self.reset()

    def reset(self):
        """Clears every fault; the clock stays as set."""
        with self._lock:
            self.refuse_login = False
            self.drop = None          # (bytes, pattern): data connection cut after that many bytes
            self.stall_data = None    # (bytes, pattern): data stops after that many bytes
            self.stall_commands = {}  # command -> pattern: the command gets no answer
            self.missing = []         # patterns answered with 550
            self.keep = None          # (bytes, pattern): an upload keeps that many bytes and reports success
            self.rate = 0             # bytes per second on data connections, 0: unlimited
            self.sntp_mode = "ok"     # ok, silent, short, invalid, old
            self.listing = "unix"     # folder listings in the unix or the MS-DOS ("dos") format
            self.unreadable = []      # patterns of files that exist but RETR refuses (permission denied)
            self.denied = {}          # command group (READ, DIRS) -> patterns refused with "Permission denied"
            self.delays = {}          # command ("*": every one) -> seconds before its answer
            self.cleartext_refused = False  # USER without TLS answered 421 and the connection closed

    @staticmethod
    def matches(pattern, path):
        if pattern in (None, "", "*"):
            return True
        return norm_path(pattern) in norm_path(path)

    def apply(self, line):
        """Applies one command; returns an answer line ("ok" or "error: ...")."""
        words = line.strip().split(None, 2)
        if not words:
            return "error: empty command"
        cmd, args = words[0].lower(), words[1:]
        rest = " ".join(args)
        try:
            with self._lock:
                if cmd == "reset":
                    self.reset()
                elif cmd == "login":
                    self.refuse_login = args[0].lower() == "refuse"
                elif cmd == "drop":
                    self.drop = None if args[0] == "off" else (int(args[0]), _pattern(args[1:]))
                elif cmd == "keep":
                    self.keep = None if args[0] == "off" else (int(args[0]), _pattern(args[1:]))
                elif cmd == "stall-data":
                    self.stall_data = None if args[0] == "off" else (int(args[0]), _pattern(args[1:]))
                elif cmd == "stall":
                    # stall RETR [pattern] | stall USER | stall off
                    if args[0] == "off":
                        self.stall_commands = {}
                    else:
                        self.stall_commands[args[0].upper()] = _pattern(args[1:])
                elif cmd == "missing":
                    if args[0] == "off":
                        self.missing = []
                    else:
                        self.missing.append(rest)
                elif cmd == "unreadable":
                    if args[0] == "off":
                        self.unreadable = []
                    else:
                        self.unreadable.append(rest)
                elif cmd == "deny":
                    # deny READ|DIRS [pattern] | deny off
                    if args[0] == "off":
                        self.denied = {}
                    elif args[0].upper() in DENY_GROUPS:
                        self.denied.setdefault(args[0].upper(), []).append(_pattern(args[1:]))
                    else:
                        return "error: deny READ|DIRS [PATTERN] or deny off"
                elif cmd == "delay":
                    # delay COMMAND|* SECONDS | delay off
                    if args[0] == "off":
                        self.delays = {}
                    else:
                        self.delays[args[0].upper()] = float(args[1])
                elif cmd == "cleartext":
                    if args[0] not in ("refuse", "ok"):
                        return "error: cleartext refuse|ok"
                    self.cleartext_refused = args[0] == "refuse"
                elif cmd == "listing":
                    if args[0] not in ("unix", "dos"):
                        return "error: listing unix|dos"
                    self.listing = args[0]
                elif cmd == "slow":
                    self.rate = int(args[0])
                elif cmd == "sntp":
                    if args[0] not in ("ok", "silent", "short", "invalid", "old"):
                        return "error: sntp mode is ok, silent, short, invalid or old"
                    self.sntp_mode = args[0]
                elif cmd == "clock":
                    self._set_clock(args)
                else:
                    return "error: unknown command " + cmd
        except (IndexError, ValueError) as err:
            return "error: %s" % err
        return "ok"

    def _set_clock(self, args):
        import datetime
        kind = args[0]
        if kind == "real":
            self.clock_fixed, self.clock_offset = None, 0.0
        elif kind == "offset":
            self.clock_fixed, self.clock_offset = None, float(args[1])
        elif kind == "fixed":
            # fixed 2022-09-21T09:00:00 (local time) or fixed @seconds
            value = args[1]
            if value.startswith("@"):
                self.clock_fixed = float(value[1:])
            else:
                self.clock_fixed = datetime.datetime.fromisoformat(value).timestamp()
            self.clock_offset = 0.0
        else:
            raise ValueError("clock is real, offset SECONDS or fixed ISO-TIME")

    def now(self):
        import time
        with self._lock:
            if self.clock_fixed is not None:
                return self.clock_fixed
            return time.time() + self.clock_offset

    def is_missing(self, path):
        with self._lock:
            return any(self.matches(p, path) for p in self.missing)

    def is_unreadable(self, path):
        with self._lock:
            return any(self.matches(p, path) for p in self.unreadable)

    def is_denied(self, command, path):
        """Whether `command` on `path` is refused as a server's <Limit READ|DIRS> DenyAll refuses it."""
        with self._lock:
            return any(command in DENY_GROUPS[group] and any(self.matches(p, path) for p in patterns)
                       for group, patterns in self.denied.items())

    def delay_for(self, command):
        with self._lock:
            return self.delays.get(command, self.delays.get("*", 0.0))

    def stall_for(self, command, path=""):
        with self._lock:
            if command not in self.stall_commands:
                return False
            return self.matches(self.stall_commands[command], path)

    def kept_bytes(self, path):
        """How much of an upload of `path` is kept (the rest dropped without a word), or None."""
        with self._lock:
            return self.keep[0] if self.keep and self.matches(self.keep[1], path) else None

    def data_limits(self, path):
        """(drop_after, stall_after, rate) for a download of `path`: bytes, None where unset."""
        with self._lock:
            drop = self.drop[0] if self.drop and self.matches(self.drop[1], path) else None
            stall = self.stall_data[0] if self.stall_data and self.matches(self.stall_data[1], path) else None
            return drop, stall, self.rate


# Command groups as proftpd's <Limit> names them: READ the file reads, DIRS the looks at folders.
DENY_GROUPS = {
    "READ": {"RETR", "SIZE"},
    "DIRS": {"LIST", "NLST", "MLSD", "MLST", "MDTM", "STAT", "CWD"},
}


def _pattern(words):
    return " ".join(words) if words else "*"

"""Line logs that tests read while the laboratory runs."""
import threading


class LineLog:
    def __init__(self, path):
        self._lock = threading.Lock()
        self._file = open(path, "a", encoding="utf-8", newline="\n")

    def write(self, line):
        with self._lock:
            self._file.write(line + "\n")
            self._file.flush()

    def close(self):
        with self._lock:
            self._file.close()

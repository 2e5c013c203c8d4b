#!/usr/bin/env python3
"""Writes a configuration file for the test domain: the given controllers and
an export format that shows the numbers the checks compare.

    make_config.py <file> <export file> [--buffer=<KB>] <controller>...
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data'))
import make_golden as g  # noqa: E402


def main():
    path, export_file, controllers = sys.argv[1], sys.argv[2], sys.argv[3:]
    buffer = g.DEFAULTS['buffer']
    if controllers and controllers[0].startswith('--buffer='):
        buffer = int(controllers.pop(0).split('=', 1)[1])
    o = g.Objects()
    data = g.count(len(controllers)) + b''.join(g.controller(o, name, 0, 0, 0) for name in controllers)
    settings = dict(g.DEFAULTS)
    settings.update(buffer=buffer, export_file=export_file,
                    export_format='%DOMAIN%|%USER_NAME%|%LAST_LOGON_TIME_NUMBER_VALUE%')
    data += g.settings(**settings) + g.count(0) + g.tail()
    with open(path, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()

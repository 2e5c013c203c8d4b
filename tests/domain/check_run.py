#!/usr/bin/env python3
"""Checks a batch run against the test domain: every normal account once,
with the later lastLogon of the two controllers, and the stopped controller
in Error.

    check_run.py <exit status> <standard output file> <export file> <seconds>
"""
import sys


def fail(message):
    print('FAIL: ' + message)
    sys.exit(1)


def main():
    status, out_file, export_file, seconds = int(sys.argv[1]), sys.argv[2], sys.argv[3], float(sys.argv[4])
    if status != 1:
        fail('exit status %d, expected 1 (a controller in Error)' % status)
    rows = [line.split('\t') for line in open(out_file, encoding='utf-8').read().splitlines() if '\t' in line]
    expected = [['dc1.exp.test', 'Ready', '2008', '0'], ['dc2.exp.test', 'Ready', '2008', '0'],
                ['dc3.exp.test', 'Error', '0', '1722']]
    if rows != expected:
        fail('controller lines %r, expected %r' % (rows, expected))
    if seconds > 60:
        fail('the run took %.1f s: the stopped controller must fail in bounded time' % seconds)
    users = {}
    for line in open(export_file, 'rb').read().decode('cp1252').split('\r\n'):
        if not line:
            continue
        domain, name, logon = line.split('|')
        if domain != 'EXP':
            fail('domain %r for %s' % (domain, name))
        if name.lower() in users:
            fail('%s listed twice' % name)
        users[name.lower()] = int(logon)
    if len(users) != 2008:
        fail('%d users, expected 2008' % len(users))
    want = {'alice': 1700000000, 'bob': 1796000000, 'carol': 1500000000, 'dave': 0, 'zoe': 0}
    want.update({'bulk%04d' % i: 1700000000 + 60 * i for i in range(2000)})
    for name, logon in want.items():
        if users.get(name) != logon:
            fail('%s: last logon %r, expected %d' % (name, users.get(name), logon))
    for name in ('administrator', 'guest', 'krbtgt'):
        if name not in users:
            fail(name + ' is missing')
    if 'ws01$' in users:
        fail('a computer account was listed')
    print('domain run OK: 2008 users, the later last logon of two controllers, dc3 Error 1722, %.2f s' % seconds)


if __name__ == '__main__':
    main()

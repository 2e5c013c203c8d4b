#!/usr/bin/env bash
# The run without a window against real domain controllers: two Samba AD DCs
# and a stopped third one (scripts/samba-domain.sh), read over LDAP with a
# simple bind inside verified TLS. Then the time of the run against the raw
# ldapsearch of each controller. Needs root; build/release must be built.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
work=$(mktemp -d)
export ORVIK_DOMAIN_DIR=$work/domain
bash scripts/samba-domain.sh install
trap 'bash scripts/samba-domain.sh down > /dev/null 2>&1 || true; rm -rf "$work"' EXIT
bash scripts/samba-domain.sh up
W=$ORVIK_DOMAIN_DIR
client() { bash "$root/scripts/samba-domain.sh" client "$@"; }
now() { date +%s.%N; }
batch() {   # batch <config> <stdout file>
  local status=0
  (cd "$work" && client "$root/build/release/orvik" /BATCH "/CF:$1" /USER:Administrator@exp.test \
    "/PWFILE:$W/password" "/CAFILE:$W/ca.pem" /NETTIMEOUT:5 > "$2") || status=$?
  echo $status
}

python3 tests/domain/make_config.py "$work/three.cfg" "$work/Ambrel.txt" dc1.exp.test dc2.exp.test dc3.exp.test
t0=$(now)
status=$(batch "$work/three.cfg" "$work/out.txt")
t1=$(now)
cat "$work/out.txt"
python3 tests/domain/check_run.py "$status" "$work/out.txt" "$work/Ambrel.txt" "$(echo "$t1 - $t0" | bc)"

# The domain's controllers found through its DNS SRV records.
found=$(client "$root/build/release/tests/orvik_server_enumeration" exp.test || true)
if [ "$found" != $'dc1.exp.test\ndc2.exp.test' ]; then
  echo "FAIL: the controllers found through DNS: $found"; exit 1
fi
echo "server enumeration OK"

# Kerberos: without /USER: the controllers are read with the user's ticket.
export KRB5CCNAME=FILE:$work/ticket
client kinit Administrator@EXP.TEST < "$W/password" > /dev/null
status=0
(cd "$work" && client "$root/build/release/orvik" /BATCH "/CF:$work/kerberos.cfg" /DC:dc1.exp.test,dc2.exp.test \
  > "$work/kerberos.txt") || status=$?
cat "$work/kerberos.txt"
if [ "$status" != 0 ] || ! grep -q $'^dc1.exp.test\tReady\t2008\t0$' "$work/kerberos.txt" ||
   ! grep -q $'^dc2.exp.test\tReady\t2008\t0$' "$work/kerberos.txt"; then
  echo "FAIL: the Kerberos run (exit status $status)"; exit 1
fi
echo "kerberos run OK"
unset KRB5CCNAME

# The Windows program under Wine, over LDAP through wldap32: StartTLS and a
# simple bind. Wine's wldap32 cannot have a server's certificate checked, so
# the password is refused to every controller unless /TLSNOVERIFY is given;
# and Wine's TLS layer loses larger answers (pages of 8 accounts or more
# fail with 1722 or hang past every timeout), so the configuration asks for
# pages of 4 (a buffer of 1 KB), and Wine gets 120 s before it is killed.
if command -v wine > /dev/null && command -v x86_64-w64-mingw32-g++-posix > /dev/null; then
  cmake --preset windows > /dev/null && cmake --build --preset windows --target orvik > /dev/null
  mkdir "$work/wine"
  wine_batch() {   # wine_batch <stdout file> <option>...
    local status=0
    (cd "$work/wine" && timeout 120 bash "$root/scripts/samba-domain.sh" client env WINEPREFIX="$work/wine/prefix" \
      WINEDEBUG=-all wine "$root/build/windows/orvik.exe" \
      /BATCH /CF:wine.cfg /USER:Administrator@exp.test "/PWFILE:$W/password" /NETTIMEOUT:5 "${@:2}" > "$1" 2> /dev/null) ||
      status=$?
    echo $status
  }
  python3 tests/domain/make_config.py "$work/wine/wine.cfg" Ambrel.txt --buffer=1 dc1.exp.test dc2.exp.test dc3.exp.test
  cp "$work/wine/wine.cfg" "$work/wine/unchanged.cfg"
  status=$(wine_batch "$work/wine/refused.txt")
  if [ "$status" != 1 ] || [ "$(grep -c $'\tError\t0\t-2146893019' "$work/wine/refused.txt")" != 3 ]; then
    cat "$work/wine/refused.txt"; echo "FAIL: under Wine a password went to a controller whose certificate was not checked"
    exit 1
  fi
  cp "$work/wine/unchanged.cfg" "$work/wine/wine.cfg"
  rm -f "$work/wine"/*.txt
  t0=$(now)
  status=$(wine_batch "$work/wine/out.txt" /TLSNOVERIFY)
  t1=$(now)
  cat "$work/wine/out.txt"
  python3 tests/domain/check_run.py "$status" "$work/wine/out.txt" "$work/wine/Ambrel.txt" "$(echo "$t1 - $t0" | bc)"
  echo "Windows program under Wine OK"
else
  echo "(no Wine or mingw-w64: the Windows program's run is left out)"
fi

# Speed: the two controllers are read side by side, so a run should take
# about as long as reading the slower one alone.
filter='(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512))'
best() { sort -n | head -1; }
raw() {
  for _ in 1 2 3; do
    local a b; a=$(now)
    client env LDAPTLS_CACERT="$W/ca.pem" ldapsearch -LLL -ZZ -x -H "ldap://$1" -D Administrator@exp.test \
      -y "$W/password" -E pr=1000/noprompt -b DC=exp,DC=test "$filter" sAMAccountName displayName description \
      lastLogon > /dev/null
    b=$(now); echo "$b - $a" | bc
  done | best
}
d1=$(raw dc1.exp.test); d2=$(raw dc2.exp.test)
python3 tests/domain/make_config.py "$work/two.cfg" "$work/Bench.txt" dc1.exp.test dc2.exp.test
runs=$(for _ in 1 2 3; do a=$(now); batch "$work/two.cfg" /dev/null > /dev/null; b=$(now); echo "$b - $a" | bc; done | best)
slower=$(echo "if ($d1 > $d2) $d1 else $d2" | bc)
echo "BENCH ldapsearch dc1: ${d1} s ($(echo "2008 / $d1" | bc) users/s); dc2: ${d2} s ($(echo "2008 / $d2" | bc) users/s)"
echo "BENCH batch run of both: ${runs} s = $(echo "scale=2; $runs / $slower" | bc) x the slower controller alone"

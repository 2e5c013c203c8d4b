#!/usr/bin/env bash
# A test domain of real Active Directory controllers: two Samba AD DCs of the
# domain EXP (exp.test) in network namespaces of their own, plus a third
# address that answers nothing (a stopped controller). Nothing touches the
# host's network or /etc; all state lives under $ORVIK_DOMAIN_DIR.
#
#   samba-domain.sh install          the packages (once)
#   samba-domain.sh up               namespaces, provision DC1, users, join DC2, fixtures
#   samba-domain.sh client CMD...    run CMD in the client namespace (DNS: DC1, DC2)
#   samba-domain.sh down             stop everything, remove namespaces and state
#
# Fixtures: alice, bob, carol (disabled), dave (never logged on), zoe (non-ASCII
# texts), the computer WS01, and $BULK users bulk0000... (default 2000, no
# password, userAccountControl 544). lastLogon is not replicated, so each DC
# gets its own values, written straight into its sam.ldb.
set -euo pipefail
W=${ORVIK_DOMAIN_DIR:-/tmp/orvik-domain}
NET=10.233.0
NSC=orvc; NS1=orvd1; NS2=orvd2; NS3=orvd3
REALM=EXP.TEST; DOM=EXP; ADMINPW='Adm1n!Pass'
BULK=${BULK:-2000}
EXEC=$W/nsexec.sh

log() { echo "samba-domain: $*"; }

helpers() {
  mkdir -p "$W/ns"
  printf 'nameserver 127.0.0.1\nsearch exp.test\n' > "$W/ns/resolv-dc.conf"
  printf "nameserver $NET.1\nsearch exp.test\n" > "$W/ns/resolv-join.conf"
  printf "nameserver $NET.1\nnameserver $NET.2\nsearch exp.test\n" > "$W/ns/resolv-client.conf"
  printf '[global]\n' > "$W/base.conf"   # keeps the host's smb.conf out of provisioning
  cat > "$EXEC" <<'EOS'
#!/bin/sh
# [RESOLV=file] [RUNDIR=dir] nsexec.sh NETNS cmd...: `ip netns exec` gives cmd a mount namespace of its
# own, so these bind mounts stay inside: RESOLV over /etc/resolv.conf, RUNDIR over /run/samba (the
# winbindd socket path is built into samba).
ns=$1; shift
export RESOLV RUNDIR
exec ip netns exec "$ns" sh -c '
  mount --bind "$RESOLV" /etc/resolv.conf || exit 1
  if [ -n "$RUNDIR" ]; then mkdir -p /run/samba; mount --bind "$RUNDIR" /run/samba || exit 1; fi
  exec "$@"' sh "$@"
EOS
  chmod +x "$EXEC"
}

in_ns() { local ns=$1; shift; RESOLV=${RESOLV:-$W/ns/resolv-dc.conf} "$EXEC" "$ns" "$@"; }
client() { RESOLV=$W/ns/resolv-client.conf KRB5_CONFIG=$W/dc1/private/krb5.conf "$EXEC" $NSC "$@"; }

network() {
  for n in $NSC $NS1 $NS2 $NS3; do ip netns add $n; ip -n $n link set lo up; done
  ip -n $NSC link add br0 type bridge
  for i in 1 2 3; do
    ip link add ov$i netns $NSC type veth peer name eth0 netns orvd$i
    ip -n $NSC link set ov$i master br0; ip -n $NSC link set ov$i up
    ip -n orvd$i addr add $NET.$i/24 dev eth0; ip -n orvd$i link set eth0 up
  done
  ip -n $NSC addr add $NET.100/24 dev br0; ip -n $NSC link set br0 up
}

dc_options() {   # DCOPTS for the DC whose state is under $1
  local D=$1
  DCOPTS=(--targetdir="$D" "--option=interfaces=lo eth0" "--option=bind interfaces only=yes"
    "--option=dns forwarder=127.0.0.53" "--option=pid directory=$D/run" "--option=ncalrpc dir=$D/run/ncalrpc"
    "--option=ntp signd socket directory=$D/run/ntp_signd" "--option=log file=$D/log/log.%m"
    "--option=smb passwd file=$D/private/smbpasswd" "--option=usershare path=$D/usershares")
}

start_dc() {
  local n=$1 D=$W/dc$1
  RUNDIR=$D/run in_ns orvd$n samba -s "$D/etc/smb.conf" -F > "$D/log/samba.out" 2>&1 &
  echo $! > "$D/samba.pid"
  for _ in $(seq 1 300); do
    if client ldapsearch -LLL -x -H ldap://$NET.$n -b '' -s base dnsHostName > /dev/null 2>&1; then
      log "DC$n answers"; return 0
    fi
    sleep 0.2
  done
  log "DC$n did not come up"; tail -20 "$D/log/samba.out"; return 1
}

last_logon() {   # last_logon N account seconds
  local D=$W/dc$1 dn
  for _ in 1 2 3 4 5; do
    dn=$(ldbsearch -H "$D/private/sam.ldb" "(sAMAccountName=$2)" dn | sed -n 's/^dn: //p') || true
    if [ -n "$dn" ] && printf 'dn: %s\nchangetype: modify\nreplace: lastLogon\nlastLogon: %s\n' "$dn" \
        $(( ($3 + 11644473600) * 10000000 )) | ldbmodify -H "$D/private/sam.ldb" > /dev/null; then return 0; fi
    sleep 1
  done
  log "cannot set lastLogon of $2 on DC$1"; return 1
}

up() {
  helpers; network
  mkdir -p "$W"/dc1/{run,log} "$W"/dc2/{run,log}
  dc_options "$W/dc1"
  in_ns $NS1 samba-tool domain provision -s "$W/base.conf" --realm=$REALM --domain=$DOM --server-role=dc \
    --dns-backend=SAMBA_INTERNAL --host-name=DC1 --host-ip=$NET.1 --adminpass="$ADMINPW" "${DCOPTS[@]}" \
    > "$W/dc1/log/provision.log" 2>&1 || { tail -20 "$W/dc1/log/provision.log"; return 1; }
  start_dc 1
  local C="-H $W/dc1/private/sam.ldb -s $W/dc1/etc/smb.conf"
  samba-tool user create alice 'Passw0rd!A' --given-name=Alice --surname=Liddell --description='Test user A' $C
  samba-tool user create bob 'Passw0rd!B' --given-name=Bob --surname=Builder --description='Test user B' $C
  samba-tool user create carol 'Passw0rd!C' --given-name=Carol --surname=Disabled --description='Disabled user' $C
  samba-tool user disable carol $C
  samba-tool user create dave 'Passw0rd!D' $C
  samba-tool user create zoe 'Passw0rd!Z' --given-name='Zoë' --surname='Ünicode' --description='Beschreibung äöü €' $C
  samba-tool computer create WS01 --description='A workstation' $C
  python3 - "$BULK" > "$W/bulk.ldif" <<'EOP'
import sys
for i in range(int(sys.argv[1])):
    n = f"bulk{i:04d}"
    print(f"dn: CN={n},CN=Users,DC=exp,DC=test\nobjectClass: user\nsAMAccountName: {n}\n"
          f"displayName: Bulk User {i}\ndescription: bulk test user {i}\nuserAccountControl: 544\n"
          f"lastLogon: {(1700000000 + i * 60 + 11644473600) * 10**7}\n")
EOP
  ldbadd -H "$W/dc1/private/sam.ldb" "$W/bulk.ldif" > /dev/null
  last_logon 1 alice 1665526400; last_logon 1 bob 1796000000; last_logon 1 carol 1500000000
  # The stopped controller has a name: dc3.exp.test, an address with nothing listening.
  client samba-tool dns add $NET.1 exp.test dc3 A $NET.3 -U "Administrator%$ADMINPW" > /dev/null
  dc_options "$W/dc2"
  RESOLV=$W/ns/resolv-join.conf KRB5_CONFIG=$W/dc1/private/krb5.conf in_ns $NS2 \
    samba-tool domain join $REALM DC -s "$W/base.conf" --server=dc1.exp.test -U "$DOM\\Administrator%$ADMINPW" \
    --dns-backend=SAMBA_INTERNAL --option="netbios name=DC2" "${DCOPTS[@]}" > "$W/dc2/log/join.log" 2>&1 \
    || { tail -20 "$W/dc2/log/join.log"; return 1; }
  start_dc 2
  # DC2 registers its ldap/ service names in its own copy of its account; pull them to DC1 now, or DC1's
  # KDC cannot issue tickets for DC2 until replication gets round to it.
  client samba-tool drs replicate dc1.exp.test dc2.exp.test DC=exp,DC=test -U "$DOM\\Administrator%$ADMINPW" > /dev/null
  # DC2 announces itself in DNS some time after it starts; list it now (it may have done so already).
  client samba-tool dns add $NET.1 _msdcs.exp.test _ldap._tcp.dc SRV 'dc2.exp.test 389 0 100' \
    -U "Administrator%$ADMINPW" > /dev/null 2>&1 || true
  last_logon 2 alice 1700000000; last_logon 2 bob 1600000000
  # Both DCs' own certificate authorities, for TLS with verification.
  cat "$W/dc1/private/tls/ca.pem" "$W/dc2/private/tls/ca.pem" > "$W/ca.pem"
  printf '%s' "$ADMINPW" > "$W/password"; chmod 600 "$W/password"
  log "up: DC1 $NET.1, DC2 $NET.2, stopped dc3 $NET.3; CA bundle $W/ca.pem"
}

down() {
  for n in 1 2; do
    f=$W/dc$n/samba.pid
    if [ -f "$f" ] && kill -0 "$(cat "$f")" 2> /dev/null; then kill "$(cat "$f")"; fi
  done
  sleep 2
  for n in $NSC $NS1 $NS2 $NS3; do
    ip netns list | grep -qw $n || continue
    # samba's helper daemons outlive the master's SIGTERM: stop whatever is left in the namespace.
    for p in $(ip netns pids $n); do kill "$p" 2> /dev/null || true; done
    for _ in $(seq 1 50); do [ -z "$(ip netns pids $n)" ] && break; sleep 0.1; done
    for p in $(ip netns pids $n); do kill -9 "$p" 2> /dev/null || true; done
    ip netns delete $n
  done
  rm -rf "$W"
}

install() {
  local missing=()
  for p in samba samba-ad-dc samba-ad-provision krb5-user ldb-tools winbind bind9-dnsutils ldap-utils iproute2 python3 \
      bc; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

case "${1:-}" in
  install) install ;;
  up) up ;;
  client) shift; client "$@" ;;
  down) down ;;
  *) echo "usage: $0 install|up|client CMD...|down"; exit 2 ;;
esac

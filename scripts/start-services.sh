#!/usr/bin/env bash
# Starts what the tests use: a PostgreSQL server with the role and database of the
# tests, and CUPS with the test printers. Safe to run again.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# PostgreSQL
ver=$(ls /usr/lib/postgresql | sort -n | tail -1)
if ! pg_lsclusters -h | grep -q "^$ver main"; then
    pg_createcluster "$ver" main >/dev/null
fi
pg_lsclusters -h | grep -q "^$ver main .* online" || pg_ctlcluster "$ver" main start
for _ in $(seq 1 30); do
    su postgres -c "psql -qAtc 'select 1'" >/dev/null 2>&1 && break
    sleep 0.5
done
su postgres -c "psql -qAtc \"select 1 from pg_roles where rolname='qor'\"" | grep -q 1 ||
    su postgres -c "psql -qc \"create role qor login superuser password 'qor'\""
su postgres -c "psql -qAtc \"select 1 from pg_database where datname='qortest'\"" | grep -q 1 ||
    su postgres -c "psql -qc 'create database qortest owner qor'"

# CUPS and the test printers
[ -x "$here/start-cups.sh" ] && "$here/start-cups.sh"
exit 0

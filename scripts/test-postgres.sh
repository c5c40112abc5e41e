# Starts a throw-away PostgreSQL server for the tests and exports where it is:
# TARVELO_TEST_PGSERVER (host:port) and PGUSER. Sourced by scripts/test.sh.

start_test_postgres() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [ -z "$bin" ]; then
    echo "PostgreSQL is niet geïnstalleerd (scripts/install-deps.sh installeert het)." >&2
    return 1
  fi
  TEST_PG_DIR=$(mktemp -d /tmp/tarvelo-pg.XXXXXX)
  local run=()
  if [ "$(id -u)" -eq 0 ]; then
    # initdb refuses to run as root; the server runs as the postgres user.
    chown postgres "$TEST_PG_DIR"
    run=(runuser -u postgres --)
  fi
  TEST_PG_RUN=("${run[@]}")
  TEST_PG_BIN=$bin
  local port
  port=$((20000 + RANDOM % 20000))
  "${run[@]}" "$bin/initdb" -D "$TEST_PG_DIR/data" -A trust -U postgres >/dev/null
  "${run[@]}" "$bin/pg_ctl" -D "$TEST_PG_DIR/data" -l "$TEST_PG_DIR/server.log" -w \
    -o "-k $TEST_PG_DIR -h 127.0.0.1 -p $port -c fsync=off" start >/dev/null
  export TARVELO_TEST_PGSERVER="127.0.0.1:$port"
  export PGUSER=postgres
  echo "PostgreSQL voor de tests op $TARVELO_TEST_PGSERVER"
}

stop_test_postgres() {
  if [ -n "${TEST_PG_DIR:-}" ] && [ -d "$TEST_PG_DIR/data" ]; then
    "${TEST_PG_RUN[@]}" "$TEST_PG_BIN/pg_ctl" -D "$TEST_PG_DIR/data" -m fast stop >/dev/null 2>&1 || true
    rm -rf "$TEST_PG_DIR"
  fi
}

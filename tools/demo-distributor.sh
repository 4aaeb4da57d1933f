# Sourced by the demo scripts: starts velta-distributor on free loopback ports
# (port 0; it prints the ports it got) for the sample business system in
# $DEMO/system, remembering the sample's order 100232 as sent before, and
# sets the EXIT trap that stops it and removes $DEMO, so that nothing is left
# running however the demo ends.
#
#   start_distributor "$BIN"     # then $SIM, $ORDER_PORT, $STATUS_PORT, $INQUIRY_PORT
start_distributor() {
  local bin=$1
  cat >"$DEMO/distributor-state.json" <<'JSON'
{"nextOrderNumber": 700002, "orders": [{"account": "104233", "po": "100232", "orderNumber": "700001",
 "poDate": "20261201", "received": "20261201", "shipMethod": "C", "backOrderCode": "1",
 "backOrderShip": " ", "resale": false, "shipDate": "",
 "lines": [{"lineOrdered": "FIL", "partOrdered": "1A0007", "quantity": 12, "line": "FIL",
            "part": "1A0007", "description": "OIL FILTER, SPIN ON", "cost": "7.12", "backOrderCode": "1",
            "shipments": [{"warehouse": "01", "name": "FORT WAYNE, IN", "quantity": 10},
                          {"warehouse": "02", "name": "INDIANAPOLIS, IN", "quantity": 2}],
            "backOrdered": 0, "reason": "", "available": ""}]}]}
JSON
  "$bin/velta-distributor" --catalog "$DEMO/system/distributor/catalog.json" --state "$DEMO/distributor-state.json" \
    --order-port 0 --status-port 0 --inquiry-port 0 >"$DEMO/distributor.log" 2>&1 &
  SIM=$!
  trap 'kill "$SIM" 2>/dev/null; wait "$SIM" 2>/dev/null; rm -rf "$DEMO"' EXIT
  local _
  for _ in $(seq 100); do
    grep -q '^listening ' "$DEMO/distributor.log" 2>/dev/null && break
    sleep 0.1
  done
  local order status inquiry
  read -r _ order status inquiry < <(grep '^listening ' "$DEMO/distributor.log")
  ORDER_PORT=${order#order=}
  STATUS_PORT=${status#status=}
  INQUIRY_PORT=${inquiry#inquiry=}
}

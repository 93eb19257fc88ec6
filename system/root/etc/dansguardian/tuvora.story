# Decisions of the content filter. Plain web requests: a host of the banned site list
# is blocked; everything else is fetched and its content checked against the weighted
# phrase list. Transparent HTTPS: the server name the client sends is checked against
# the same list. A connection without a readable name (not TLS, or a bare IP address,
# for which clients send no name) is refused: nothing could be checked.

function(checkrequest)
if(connect) return sslrequestcheck
if(urlin, exception) return setexception
if(urlin, banned) return setblock
if(true) setgrey

function(checkresponse)
if(exceptionset) return false

function(thttps-checkrequest)
ifnot(hassniset) return checksni
if(true) returnif sslrequestcheck

function(sslrequestcheck)
if(sitein, exception) return setexception
if(sitein, banned) return setblock
if(true) setgrey

function(checksni)
ifnot(tls,,511) return setblock
ifnot(hassniset,,512) return setblock

function(icap-checkrequest)
if(true) return checkrequest

function(icap-checkresponse)
if(true) return checkresponse

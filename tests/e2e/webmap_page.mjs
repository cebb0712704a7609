// A written web-map page opened in headless Chromium, with the scripts the
// batch command puts beside it and the map services answered locally with
// blank tiles, or not at all (offline). Checks that the scripts run without
// errors, the polygon is drawn, and the map is centred on the first vertex;
// nothing is asked of a package CDN.
// Usage: node webmap_page.mjs VADREL_CLI WEB_DIR
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [cli, web] = process.argv.slice(2).map((p) => resolve(p));
const modules = join(web, 'node_modules');
const chromium = '/usr/bin/chromium';
for (const [what, path] of [['Chromium', chromium], ['web/node_modules', modules]]) {
  if (!existsSync(path)) {
    console.log(`SKIP: ${what} is not installed (scripts/deps.sh installs it)`);
    process.exit(77);
  }
}
const require = createRequire(join(modules, 'index.js'));
const { chromium: browserType } = require('playwright-core');
const proj4 = require('proj4');

// A 1 x 1 white PNG for every tile.
const blank = Buffer.from(
  'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4//8/AAX+Av4N70a4AAAAAElFTkSuQmCC', 'base64');

const work = mkdtempSync(join(tmpdir(), 'vadrel-map-'));
let failures = 0;
const fail = (what) => { console.log(`FAIL: ${what}`); failures++; };

try {
  const browser = await browserType.launch({
    executablePath: chromium,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
  });
  // A parcel in zone 30, and a building of two constructions in zone 29.
  const cases = [
    { zone: '30', x: 441620.35, y: 4479210.12, polygons: 1, offline: false },
    { zone: '29', x: 538102.5, y: 4702130.25, polygons: 2, offline: false },
    { zone: '31', x: 431200.5, y: 4581000.25, polygons: 1, offline: true },
  ];
  for (const c of cases) {
    const ring = (dx) => join(work, `c${c.zone}_${dx}.txt`);
    for (const dx of [0, 100])
      writeFileSync(ring(dx), `1;${c.x + dx};${c.y}\r\n2;${c.x + dx + 30};${c.y + 5}\r\n3;${c.x + dx + 35};${c.y - 30}\r\n`);
    const page = join(work, `mapa${c.zone}.html`);
    if (c.polygons === 1)
      execFileSync(cli, ['map', '--coords', ring(0), '--zone', c.zone, '-o', page]);
    else
      execFileSync(cli, ['building', 'map', '--zone', c.zone, '--ext', ring(0), '--ext', ring(100), '-o', page]);

    const context = await browser.newContext();
    const tab = await context.newPage();
    const errors = [];
    tab.on('pageerror', (e) => errors.push(e.message));
    tab.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    // Offline, every request that leaves the machine fails.
    await tab.route(/^https?:\/\//, (route) => {
      const url = route.request().url();
      if (!c.offline && /^http:\/\/(www\.ign\.es|ovc\.catastro\.meh\.es)\//.test(url))
        return route.fulfill({ status: 200, contentType: 'image/png', body: blank });
      if (!/^http:\/\/(www\.ign\.es|ovc\.catastro\.meh\.es)\//.test(url)) fail(`zone ${c.zone}: asked ${url}`);
      return route.abort('internetdisconnected');
    });
    await tab.goto(pathToFileURL(page).href);
    await tab.waitForFunction(() => document.querySelectorAll('path.leaflet-interactive').length > 0, null,
                              { timeout: 15000 }).catch(() => fail(`zone ${c.zone}: no polygon drawn`));
    const drawn = await tab.evaluate(() => document.querySelectorAll('path.leaflet-interactive').length);
    if (drawn !== c.polygons) fail(`zone ${c.zone}: ${drawn} polygons drawn instead of ${c.polygons}`);
    const centre = await tab.evaluate(() => { const m = window.map.getCenter(); return [m.lat, m.lng]; });
    const utm = `+proj=utm +zone=${c.zone} +ellps=GRS80 +datum=NAD83 +units=m +no_defs`;
    const [lon, lat] = proj4(utm, '+proj=longlat +ellps=WGS84 +datum=WGS84 +no_defs', [c.x, c.y]);
    if (Math.abs(centre[0] - lat) > 1e-6 || Math.abs(centre[1] - lon) > 1e-6)
      fail(`zone ${c.zone}: centre ${centre} instead of ${[lat, lon]}`);
    // Offline, the map services' failed tiles are the only errors allowed.
    const scriptErrors = errors.filter((e) => !(c.offline && /Failed to load resource/.test(e)));
    if (scriptErrors.length) fail(`zone ${c.zone}: script errors: ${scriptErrors.join(' | ')}`);
    await context.close();
  }
  await browser.close();
} finally {
  rmSync(work, { recursive: true, force: true });
}
if (failures) process.exit(1);
console.log('web map pages passed');

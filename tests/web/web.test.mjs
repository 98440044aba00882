// The browser build played in Debian's Chromium as a player would: the page,
// a whole game from Start to End, the scores kept across a reload and a
// browser restart, and the picture at other pixel densities. Run by ./test.sh
// with ZELVANE_WEB_TEST=1, after packaging/web/build.sh and the desktop tests'
// build (for read_game).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  clickGame,
  endButton,
  launch,
  newProfile,
  openGame,
  pressLetter,
  readRecords,
  readScreen,
  root,
  serve,
  sleep,
  startButton,
  storedRecords,
  waitForScreen,
} from './browser.mjs';

const site = path.join(root, 'build/web/site');
const titleDone = (screen) => screen.buttonsWaiting;
const noErrors = (page) => assert.deepEqual(page.errors, [], 'the page threw');
const soundSince = (page, since) => page.evaluate((t) => window.zelvaneSound.filter((at) => at > t).length, since);
const now = (page) => page.evaluate(() => performance.now());

// The records file in the browser's storage once it holds `scores`: its
// bytes, and whether they are exactly the game's.
async function keptRecords(page, scores) {
  for (let tries = 0; tries < 50; ++tries, await sleep(100)) {
    const stored = await storedRecords(page);
    if (!stored) continue;
    const read = await readRecords(Buffer.from(stored));
    if (JSON.stringify(read.scores) === JSON.stringify(scores)) return { stored, exact: read.exact };
  }
  throw new Error(`the browser's storage never held ${scores}`);
}

// Sound stops for a moment: nothing played in the last 300 ms.
async function waitForSilence(page) {
  for (let tries = 0; tries < 50; ++tries) {
    if ((await soundSince(page, (await now(page)) - 300)) === 0) return;
    await sleep(100);
  }
  throw new Error('the sound never stopped');
}

let server;
before(async () => {
  server = await serve();
});
after(() => server?.stop());

describe('a whole game in one tab', () => {
  const profile = newProfile();
  let browser;
  let page;
  let firstWave;
  before(async () => {
    browser = await launch(profile);
    page = await openGame(browser, server.address);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
  });

  test('the page: its title, icon, words on how to play, and the game at its exact size with the keyboard', async () => {
    assert.equal(await page.title(), 'Zelvane');
    const icons = await page.$$eval('link[rel=icon]', (links) => links.map((link) => link.href));
    assert.ok(icons.length > 0, 'no icon');
    for (const icon of icons) {
      const type = await page.evaluate(async (url) => (await fetch(url)).headers.get('content-type'), icon);
      assert.equal(type, 'image/png', icon);
    }
    assert.match(await page.$eval('#how', (p) => p.textContent), /Start.*letters.*Space/s);
    const canvas = await page.$eval('#canvas', (c) => {
      const r = c.getBoundingClientRect();
      return { width: c.width, height: c.height, shown: [r.width, r.height], focused: document.activeElement === c };
    });
    assert.deepEqual(canvas, { width: 475, height: 336, shown: [475, 336], focused: true });
  });

  test('the title brings in the records rows and the buttons', async () => {
    const screen = await waitForScreen(page, titleDone, 'the buttons waiting');
    assert.deepEqual(screen.records, [0, 0, 0, 0, 0]);
    noErrors(page);
  });

  test('Start by click: the ready banner, and the start cue once the click has unlocked the sound', async () => {
    assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'suspended');
    assert.equal(await soundSince(page, 0), 0, 'sound before any gesture');
    const clicked = await now(page);
    await clickGame(page, startButton);
    await waitForScreen(page, (s) => s.ready, 'the ready banner', 2000, 50);
    await sleep(500);
    assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'running');
    assert.ok((await soundSince(page, clicked)) > 0, 'cde.wav not heard');
  });

  test('while the game has the keyboard, Space, the arrows and Tab leave the page where it is', async () => {
    await page.setViewport({ width: 800, height: 300 });
    assert.ok(await page.evaluate(() => document.documentElement.scrollHeight > innerHeight), 'nothing to scroll');
    for (const key of ['Space', 'ArrowDown', 'PageDown', 'End', 'Tab']) await page.keyboard.press(key);
    const where = await page.evaluate(() => ({ y: scrollY, focused: document.activeElement.id }));
    assert.deepEqual(where, { y: 0, focused: 'canvas' });
    await page.setViewport({ width: 800, height: 600 });
  });

  test('play begins with a wave of two letters in the top row', async () => {
    const screen = await waitForScreen(page, (s) => s.wave, 'the first wave', 4000, 50);
    assert.equal(screen.waveRow, 0);
    assert.equal(screen.wave.length, 2);
    assert.equal(screen.score, 0);
    firstWave = screen.wave;
  });

  test('a miss at 0 stays 0; each letter, as the layout means it, scores 20', async () => {
    await waitForSilence(page);
    const pressed = await now(page);
    const miss = [...Array(26).keys()].find((letter) => !firstWave.includes(letter));
    await pressLetter(page, miss);
    await sleep(300);
    assert.ok((await soundSince(page, pressed)) > 0, 'the miss was not heard');
    assert.equal((await readScreen(page)).score, 0);
    // The first letter's key sits elsewhere, as on another layout: it counts by what it means.
    await pressLetter(page, firstWave[0], (firstWave[0] + 13) % 26);
    await waitForScreen(page, (s) => s.score === 20 && s.wave?.length === 1, 'the first hit', 1000, 50);
    await pressLetter(page, firstWave[1]);
    const cleared = await waitForScreen(page, (s) => s.score === 40, 'the second hit', 1000, 50);
    // The next descent tick may come before the canvas is read.
    assert.ok(cleared.waveRow <= 1, `a cleared wave is followed by a new one at the top, not in row ${cleared.waveRow}`);
  });

  test('waves land until the curtain ends the game; the results follow, then the title with the score', async () => {
    // Seven waves land at a row a second: about a minute.
    await waitForScreen(page, (s) => s.gameOver, 'GAME OVER', 75000, 500);
    const results = await waitForScreen(page, (s) => s.rates.every((rate) => rate !== null), 'the results', 10000);
    assert.ok(results.rates.every((rate) => rate >= 0 && rate <= 100), JSON.stringify(results.rates));
    const title = await waitForScreen(page, titleDone, 'the title again', 15000);
    assert.deepEqual(title.records, [40, 0, 0, 0, 0]);
    noErrors(page);
  });

  test('the score is kept as soon as it enters the table: a tab may close without End', async () => {
    assert.equal((await keptRecords(page, [40, 0, 0, 0, 0])).exact, true);
  });

  test('End saves: nothing more runs, the page offers to play again, and the browser keeps the exact file', async () => {
    await clickGame(page, endButton);
    await page.waitForSelector('#ended:not([hidden])', { timeout: 2000 });
    assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
    const frames = await page.evaluate(() => window.zelvaneFrames.length);
    await sleep(500);
    assert.equal(await page.evaluate(() => window.zelvaneFrames.length), frames, 'the canvas still changes');

    const { stored, exact } = await keptRecords(page, [40, 0, 0, 0, 0]);
    assert.equal(exact, true);

    const downloads = mkdtempSync(path.join(tmpdir(), 'zelvane-download-'));
    try {
      const session = await page.createCDPSession();
      await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
      await page.click('#download');
      // The browser may show the file under its name before it has all of it.
      const file = path.join(downloads, 'jkl.yen');
      const downloaded = () => (existsSync(file) ? readFileSync(file).toString('latin1') : '');
      const expected = Buffer.from(stored).toString('latin1');
      for (let tries = 0; downloaded() !== expected && tries < 50; ++tries) await sleep(100);
      assert.equal(downloaded(), expected, 'the download is not jkl.yen');
    } finally {
      rmSync(downloads, { recursive: true, force: true });
    }
    noErrors(page);
  });

  test('Play again reloads the page, and the table holds the score', async () => {
    await Promise.all([page.waitForNavigation(), page.click('#again')]);
    const screen = await waitForScreen(page, titleDone, 'the title after the reload');
    assert.deepEqual(screen.records, [40, 0, 0, 0, 0]);
  });

  test('the score outlives the browser', async () => {
    await browser.close();
    browser = await launch(profile);
    page = await openGame(browser, server.address);
    const screen = await waitForScreen(page, titleDone, 'the title after the restart');
    assert.deepEqual(screen.records, [40, 0, 0, 0, 0]);
    noErrors(page);
  });
});

describe('other ways in', () => {
  const profile = newProfile();
  let browser;
  before(async () => {
    browser = await launch(profile);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
  });

  test('Enter presses Start', async () => {
    const page = await openGame(browser, server.address);
    await waitForScreen(page, titleDone, 'the buttons waiting');
    await page.keyboard.press('Enter');
    await waitForScreen(page, (s) => s.ready, 'the ready banner', 2000, 50);
    await page.close();
  });

  test('a click on the canvas gives the game back the keyboard', async () => {
    const page = await openGame(browser, server.address);
    await page.focus('#download');
    await clickGame(page, { x: 10, y: 10 });
    assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
    await page.close();
  });

  // The whole game in view at every window size and pixel ratio: where one
  // device pixel per game pixel fits, each game pixel is a square of whole
  // device pixels from a corner on a device pixel, nothing smoothed; where it
  // does not, the game is scaled down to the window, fitted again as the window
  // shrinks.
  for (const [width, height, ratio, scale] of [
    [800, 600, 1, 1],
    [800, 600, 1.25, 2],
    [800, 600, 1.5, 2],
    [800, 600, 2, 3],
    [800, 600, 3, 5],
    [1366, 768, 1.5, 3],
    [400, 300, 2, 1],
    [400, 300, 1.5, 1],
    [400, 300, 1, null],
  ]) {
    const shown = scale ? `every game pixel is ${scale} x ${scale} device pixels` : 'the game is scaled down to fit';
    test(`${width} x ${height} at ${ratio} device pixels per CSS pixel: ${shown}`, async () => {
      const fitted = await openGame(browser, server.address, scale ? { width, height, scale: ratio } : {});
      await waitForScreen(fitted, titleDone, 'the buttons waiting');
      if (!scale) {
        await fitted.setViewport({ width, height, deviceScaleFactor: ratio });
        await fitted.evaluate(() => new Promise((drawn) => requestAnimationFrame(() => requestAnimationFrame(drawn))));
      }
      const box = await fitted.evaluate(() => {
        const r = document.getElementById('canvas').getBoundingClientRect();
        return { x: r.x, y: r.y, width: r.width, height: r.height, right: innerWidth - r.right, bottom: innerHeight - r.bottom };
      });
      assert.ok(Math.min(box.x, box.y, box.right, box.bottom) > -0.01, `not all in view: ${JSON.stringify(box)}`);
      if (!scale) {
        assert.ok(Math.min(box.right, box.bottom) < 1, `smaller than the window allows: ${JSON.stringify(box)}`);
        return fitted.close();
      }
      // The browser lays out in 64ths of a CSS pixel and draws on the nearest device pixel.
      assert.ok(Math.abs(box.width * ratio - 475 * scale) < 0.05, `shown ${box.width} CSS pixels wide`);
      const corner = [box.x * ratio, box.y * ratio];
      assert.ok(corner.every((at) => Math.abs(at - Math.round(at)) < 0.05), `corner at device ${corner}`);
      const shot = await fitted.screenshot({ encoding: 'base64' });
      // What reached the screen against the game's own pixels, each made a block.
      const mismatches = await fitted.evaluate(
        async (png, block, [left, top]) => {
          const canvas = document.getElementById('canvas');
          const game = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
          const picture = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
          const board = new OffscreenCanvas(picture.width, picture.height).getContext('2d');
          board.drawImage(picture, 0, 0);
          const shown = board.getImageData(left, top, canvas.width * block, canvas.height * block);
          let wrong = 0;
          for (let y = 0; y < shown.height; ++y) {
            for (let x = 0; x < shown.width; ++x) {
              const g = (Math.floor(y / block) * canvas.width + Math.floor(x / block)) * 4;
              const s = (y * shown.width + x) * 4;
              for (let c = 0; c < 3; ++c) if (shown.data[s + c] !== game[g + c]) ++wrong;
            }
          }
          return wrong;
        },
        shot,
        scale,
        corner.map(Math.round)
      );
      assert.equal(mismatches, 0);
      await fitted.close();
    });
  }

  // A file that cannot be had: the page says so in place of a black box, and
  // its Try again loads it once it is there. Without the sounds the game plays.
  // Each in a context of its own, where no service worker answers for the server.
  for (const [file, message, again] of [
    ['zelvane.wasm', '#failed', '#retry'],
    ['zelvane.js', '#failed', '#retry'],
    ['cues/cde.wav', '#sounds', '#sounds-again'],
  ]) {
    test(`${file} not to be had: the page says so, and Try again brings it`, async () => {
      let refused = true;
      const context = await browser.createBrowserContext();
      const page = await openGame(context, server.address, {
        intercept: (request) =>
          refused && new URL(request.url()).pathname === `/${file}`
            ? request.respond({ status: 404, body: 'not here' })
            : request.continue(),
      });
      await page.waitForSelector(`${message}:not([hidden])`, { timeout: 5000 });
      assert.match(await page.$eval(message, (p) => p.textContent), /could not be/);
      refused = false;
      if (again === '#retry') {
        await Promise.all([page.waitForNavigation(), page.click(again)]);
      } else {
        await waitForScreen(page, titleDone, 'the title without a sound');
        await page.click(again);
        await page.waitForFunction(() => Module.cueArrived('cde.wav'), { timeout: 5000 });
      }
      await waitForScreen(page, titleDone, 'the title after Try again');
      assert.equal(await page.$eval(message, (p) => p.hidden), true);
      await context.close();
    });
  }

  test('served at an address without the trailing slash, the page finds its files', async () => {
    const folder = `${server.address}games/zelvane`;
    const context = await browser.createBrowserContext();
    const page = await openGame(context, folder, {
      intercept: (request) => {
        const url = request.url();
        if (url === folder) return request.respond({ contentType: 'text/html', body: readFileSync(path.join(site, 'index.html')) });
        if (url.startsWith(`${folder}/`)) return request.continue({ url: server.address + url.slice(folder.length + 1) });
        return request.continue();
      },
    });
    await waitForScreen(page, titleDone, 'the title');
    noErrors(page);
    await context.close();
  });
});

describe('offline', () => {
  const profile = newProfile();
  const scratch = mkdtempSync(path.join(tmpdir(), 'zelvane-site-'));
  let browser;
  let own;
  let page;
  before(async () => {
    browser = await launch(profile);
    own = await serve();
  });
  after(async () => {
    await browser?.close();
    await own?.stop();
    profile.remove();
    rmSync(scratch, { recursive: true, force: true });
  });

  // The service worker has kept the whole site once the page is under it.
  const kept = (page) =>
    page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      while (!navigator.serviceWorker.controller) await new Promise((wait) => setTimeout(wait, 100));
      return caches.keys();
    });

  test('the browser can install the page, and with the server gone it loads and plays', async () => {
    page = await openGame(browser, own.address);
    await waitForScreen(page, titleDone, 'the title');
    const caches = await kept(page);
    assert.equal(caches.length, 1);
    const session = await page.createCDPSession();
    assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    await own.stop();
    await page.reload({ waitUntil: 'load' });
    await waitForScreen(page, titleDone, 'the title offline');
    await clickGame(page, startButton);
    await waitForScreen(page, (s) => s.wave, 'the first wave offline', 5000, 50);
    assert.ok((await soundSince(page, 0)) > 0, 'no sound offline');
  });

  test('a new build served in its place is played, and replaces the kept one', async () => {
    cpSync(site, scratch, { recursive: true });
    const index = path.join(scratch, 'index.html');
    writeFileSync(index, readFileSync(index, 'utf8').replace('<title>Zelvane</title>', '<title>Zelvane, anew</title>'));
    execFileSync(path.join(root, 'packaging/web/offline.sh'), [scratch]);
    own = await serve({ port: new URL(own.address).port, site: scratch });
    // Within a few visits the new build is played and is the only one kept.
    for (let visits = 0; (await page.title()) !== 'Zelvane, anew'; ++visits) {
      assert.ok(visits < 5, 'the new build is not played');
      await page.reload({ waitUntil: 'load' });
    }
    const keptPage = () => page.evaluate(async () => (await caches.match('./'))?.text());
    for (let tries = 0; (await kept(page)).length !== 1 || !(await keptPage())?.includes('anew'); ++tries) {
      assert.ok(tries < 150, 'the old build is still kept');
      await sleep(100);
    }
    await own.stop();
    own = null;
    await page.reload({ waitUntil: 'load' });
    await waitForScreen(page, titleDone, 'the game offline after the new build');
  });
});

// A records file of the desktop game's: line 1 is all the loader reads.
const recordsLine = (scores) => `${scores.map((score) => String(score).padStart(6, '0')).join('')}\r\n`;

// Chooses `file` with Load scores; the note that follows.
async function loadScores(page, file) {
  const before = await page.$eval('#note', (note) => note.textContent);
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#load')]);
  await chooser.accept([file]);
  await page.waitForFunction((was) => document.getElementById('note').textContent !== was, {}, before);
  return page.$eval('#note', (note) => note.textContent);
}

// Tabs of one browser share one table: each game's score is kept, also in a
// tab closed under the curtain or hold, and scores load from a file.
describe('the scores of every tab', () => {
  const profile = newProfile();
  const files = mkdtempSync(path.join(tmpdir(), 'zelvane-load-'));
  let browser;
  before(async () => {
    browser = await launch(profile);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
    rmSync(files, { recursive: true, force: true });
  });

  test('tabs playing at once keep every score, a tab closed 0, 1, 2 or 3 s after GAME OVER too', async () => {
    // Tab k hits k + 1 letters; the last stays open. They start apart, so
    // each one's GAME OVER can be watched on its own.
    const closedAfter = [0, 1000, 2000, 3000, null];
    const tabs = [];
    for (const [k, closing] of closedAfter.entries()) {
      const page = await openGame(browser, server.address, { ownWindow: true });
      await waitForScreen(page, titleDone, 'the buttons waiting');
      await clickGame(page, startButton);
      for (let hit = 1; hit <= k + 1; ++hit) {
        const { wave } = await waitForScreen(page, (s) => s.wave?.length > 0, 'a wave', 6000, 50);
        await pressLetter(page, wave[0]);
        await waitForScreen(page, (s) => s.score >= 20 * hit, 'the hit', 1000, 50);
      }
      tabs.push({ page, closing });
      await sleep(4000);
    }
    const scores = [];
    for (const { page, closing } of tabs) {
      const { score } = await waitForScreen(page, (s) => s.gameOver, 'GAME OVER', 90000, 50);
      scores.push(score);
      if (closing === null) {
        await waitForScreen(page, titleDone, 'the title again', 20000);
      } else {
        await sleep(closing);
        await page.close();
      }
    }
    const table = scores.sort((a, b) => b - a);
    const page = await openGame(browser, server.address);
    assert.deepEqual((await waitForScreen(page, titleDone, 'the title')).records, table);
    assert.equal((await keptRecords(page, table)).exact, true);
    noErrors(page);
    await page.close();
  });

  test("Load scores enters a file's scores into the stored table, and refuses a binary file", async () => {
    const page = await openGame(browser, server.address);
    await waitForScreen(page, titleDone, 'the buttons waiting');
    const kept = await storedRecords(page);
    const before = kept ? (await readRecords(Buffer.from(kept))).scores : [0, 0, 0, 0, 0];
    const desktop = path.join(files, 'jkl.yen');
    writeFileSync(desktop, recordsLine([900000, 7, 0, 0, 0]));
    assert.match(await loadScores(page, desktop), /entered and kept/);
    const merged = [...before, 900000, 7].sort((a, b) => b - a).slice(0, 5);
    const { stored } = await keptRecords(page, merged);
    const binary = path.join(files, 'atlas.png');
    writeFileSync(binary, readFileSync(path.join(root, 'assets/atlas.png')));
    assert.match(await loadScores(page, binary), /atlas\.png was not loaded, and nothing changed/);
    assert.deepEqual(await storedRecords(page), stored);
    noErrors(page);
    await page.close();
  });
});

// Where the browser keeps nothing, the game still starts and plays, one note
// says why the scores cannot be kept, and nothing claims they were.
describe('a browser that keeps no scores', () => {
  const profile = newProfile();
  let browser;
  before(async () => {
    browser = await launch(profile);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
  });

  const noStorage = () => Object.defineProperty(window, 'indexedDB', { get: () => undefined });
  const readingThrows = () =>
    Object.defineProperty(window, 'indexedDB', {
      get: () => {
        throw new DOMException('The operation is insecure.', 'SecurityError');
      },
    });
  const openThrows = () => {
    IDBFactory.prototype.open = () => {
      throw new DOMException('Access to the IndexedDB API is denied in this context.', 'SecurityError');
    };
  };
  // The database cannot be made: its making is undone once the page has done its part.
  const openFails = () => {
    const open = IDBFactory.prototype.open;
    IDBFactory.prototype.open = function (...args) {
      const request = open.apply(this, args);
      Object.defineProperty(request, 'onupgradeneeded', {
        set(handler) {
          request.addEventListener('upgradeneeded', (event) => {
            handler.call(request, event);
            request.transaction.abort();
          });
        },
      });
      return request;
    };
  };
  // Chromium's own setting, "block site data", in a profile of its own.
  const siteDataBlocked = () => {
    const blocked = newProfile();
    mkdirSync(path.join(blocked.dir, 'Default'));
    const block = { profile: { default_content_setting_values: { cookies: 2 } } };
    writeFileSync(path.join(blocked.dir, 'Default/Preferences'), JSON.stringify(block));
    return blocked;
  };
  for (const [failure, breakStorage, why] of [
    ['no IndexedDB', noStorage, /offers this page no storage/],
    ['reading indexedDB throws', readingThrows, /does not let this page store anything/],
    ['opening throws', openThrows, /does not let this page store anything/],
    ['opening fails', openFails, /does not let this page store anything/],
    ['the storage is full', 'full', /storage for this page is full/],
    ['site data blocked', 'blocked', /may block site data/],
  ]) {
    test(`${failure}: the game plays, one note says why, and End claims no save`, async () => {
      const blocked = breakStorage === 'blocked' ? siteDataBlocked() : null;
      const own = blocked ? await launch(blocked) : null;
      const page = await (own ?? browser).newPage();
      if (typeof breakStorage === 'function') await page.evaluateOnNewDocument(breakStorage);
      page.errors = [];
      page.on('pageerror', (error) => page.errors.push(error.message));
      await page.goto(server.address, { waitUntil: 'load' });
      if (breakStorage === 'full') {
        const session = await page.createCDPSession();
        await session.send('Storage.overrideQuotaForOrigin', { origin: new URL(server.address).origin, quotaSize: 1 });
      }
      await waitForScreen(page, titleDone, 'the buttons waiting');
      await page.click('#download');
      assert.match(await page.$eval('#note', (note) => note.textContent), /No scores saved yet/);
      await clickGame(page, endButton);
      await page.waitForSelector('#ended:not([hidden])', { timeout: 2000 });
      const said = await page.$eval('#note', (note) => note.textContent);
      assert.match(said, /^Your scores cannot be kept in this browser: .*Download scores/);
      assert.match(said, why);
      assert.doesNotMatch(said, /No scores saved yet/, 'the note outlives the save');
      assert.equal(await page.$eval('#kept', (kept) => kept.hidden), true, 'the page claims a save');
      noErrors(page);
      await page.close();
      await own?.close();
      blocked?.remove();
    });
  }
});
